#include "app/FileChooser.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

TFileChooser*& Installed() {
    static TFileChooser* chooser = nullptr;
    return chooser;
}

// The extension of a Qt filter's first pattern ("Excel 文件 (*.xls)" → "xls").
QString FirstExtension(const QString& qtFilter) {
    static const QRegularExpression pattern(QStringLiteral("\\*\\.([^\\s;)*?]+)"));
    return pattern.match(qtFilter).captured(1);
}

} // namespace

TFileChooser& TFileChooser::Current() {
    static TFileChooser qtDialogs;
    TFileChooser* chooser = Installed();
    return chooser ? *chooser : qtDialogs;
}

void TFileChooser::Install(TFileChooser* chooser) {
    Installed() = chooser;
}

QString TFileChooser::QtFilter(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString caption = parts[i].trimmed();
        // Patterns are matched in both cases, whatever the dialog's own habit.
        QStringList patterns;
        for (const QString& pattern : parts[i + 1].split(u';', Qt::SkipEmptyParts)) {
            patterns << pattern.trimmed() << pattern.trimmed().toLower();
        }
        patterns.removeDuplicates();
        // Qt reads the patterns from the parentheses that end the caption.
        caption.remove(QRegularExpression(QStringLiteral("\\s*\\([^()]*\\)\\s*$")));
        filters.append(QStringLiteral("%1 (%2)").arg(caption, patterns.join(u' ')));
    }
    return filters.join(QStringLiteral(";;"));
}

QString TFileChooser::SaveFile(QWidget* parent, const QString& title, const QString& filter,
                               const QString& directory, const QString& proposedName) {
    QString chosenFilter;
    QString path = QFileDialog::getSaveFileName(
        parent, title, QDir(directory).filePath(proposedName), QtFilter(filter), &chosenFilter);
    const QString extension = FirstExtension(chosenFilter);
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty() && !extension.isEmpty()) {
        path += u'.' + extension.toLower();
    }
    return path;
}

QString TFileChooser::OpenFile(QWidget* parent, const QString& title, const QString& filter,
                               const QString& directory) {
    return QFileDialog::getOpenFileName(parent, title, directory, QtFilter(filter));
}

QString TFileChooser::ChooseDirectory(QWidget* parent, const QString& title,
                                      const QString& directory) {
    return QFileDialog::getExistingDirectory(parent, title, directory);
}
