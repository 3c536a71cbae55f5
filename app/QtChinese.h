#pragma once

class QTranslator;

// Qt's own texts (file and folder choosers, standard buttons, context menus)
// in Chinese, so the whole program speaks one language.
namespace QtChinese {

// Loads Qt's Chinese translation from the Qt installation into `translator`
// and installs it in the application; false when it is not installed (the
// Debian package qt6-translations-l10n), and Qt's texts stay English.
bool Install(QTranslator& translator);

} // namespace QtChinese
