#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

class QListWidget;
class QTextBrowser;

// The program's help: the manual pages shipped in the program's resources,
// a contents list on the left and the page on the right. It stays open beside
// the working window; Esc closes it. The pages are the resources of
// app/help.qrc under ":/help/".
class THelpFm : public QWidget {
    Q_OBJECT

public:
    explicit THelpFm(QWidget* parent = nullptr);

    // The help window of the program, made on first use, showing `page`.
    static THelpFm* ShowHelp(QWidget* parent, const QString& page = QStringLiteral("index.html"));

    // The manual's pages in reading order, as resource file names.
    static const QStringList& Pages();
    void ShowPage(const QString& page);
    QString CurrentPage() const;

    QListWidget* lbContents;
    QTextBrowser* tbPage;

private:
    void SelectInContents(const QUrl& url);
};
