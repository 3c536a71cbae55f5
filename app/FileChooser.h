#pragma once

#include <QString>

class QWidget;

// The file and folder choosers of the program, behind one interface so that
// window tests can answer them (TScriptedFileChooser). This class shows the
// Qt dialogs. Every answer is a path, or empty text when cancelled. Filters
// come as "名称 (*.x)|*.X|…" pairs of a caption and its patterns.
class TFileChooser {
public:
    virtual ~TFileChooser() = default;

    // Asks before overwriting; a name typed without an extension gets the one
    // of the chosen filter, so the extension tells which filter was chosen.
    virtual QString SaveFile(QWidget* parent, const QString& title, const QString& filter,
                             const QString& directory, const QString& proposedName);
    virtual QString OpenFile(QWidget* parent, const QString& title, const QString& filter,
                             const QString& directory);
    // The chooser lets the operator make a new folder.
    virtual QString ChooseDirectory(QWidget* parent, const QString& title,
                                    const QString& directory);

    // The chooser in use: the installed one, else the Qt dialogs.
    static TFileChooser& Current();
    // Installs a chooser (not owned); nullptr restores the Qt dialogs.
    static void Install(TFileChooser* chooser);

    // "名称 (*.x)|*.X|…" as Qt filters "名称 (*.X);;…".
    static QString QtFilter(const QString& filter);
};
