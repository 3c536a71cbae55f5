#include "app/ScriptedFileChooser.h"

QString TScriptedFileChooser::SaveFile(QWidget*, const QString& title, const QString& filter,
                                       const QString& directory, const QString& proposedName) {
    return Answer({Kind::Save, title, filter, directory, proposedName});
}

QString TScriptedFileChooser::OpenFile(QWidget*, const QString& title, const QString& filter,
                                       const QString& directory) {
    return Answer({Kind::Open, title, filter, directory, QString()});
}

QString TScriptedFileChooser::ChooseDirectory(QWidget*, const QString& title,
                                              const QString& directory) {
    return Answer({Kind::Directory, title, QString(), directory, QString()});
}

QString TScriptedFileChooser::Answer(const Request& request) {
    requests_.append(request);
    return answers_.isEmpty() ? QString() : answers_.takeFirst();
}
