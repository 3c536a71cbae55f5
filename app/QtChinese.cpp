#include "app/QtChinese.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace QtChinese {

bool Install(QTranslator& translator) {
    return translator.load(QStringLiteral("qtbase_zh_CN"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath)) &&
           QCoreApplication::installTranslator(&translator);
}

} // namespace QtChinese
