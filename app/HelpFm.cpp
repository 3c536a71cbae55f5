#include "app/HelpFm.h"

#include "app/Placement.h"

#include <QFile>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPointer>
#include <QShortcut>
#include <QTextBrowser>
#include <QTextDocument>

namespace {

const QString HelpRoot = QStringLiteral("qrc:/help/");

// A page's <title>, read from the page itself so the contents never disagree
// with it.
QString TitleOf(const QString& page) {
    QFile file(QStringLiteral(":/help/") + page);
    if (!file.open(QIODevice::ReadOnly)) {
        return page;
    }
    QTextDocument document;
    document.setHtml(QString::fromUtf8(file.readAll()));
    return document.metaInformation(QTextDocument::DocumentTitle);
}

} // namespace

THelpFm::THelpFm(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(QStringLiteral("帮助内容"));
    resize(900, 640);

    lbContents = new QListWidget(this);
    lbContents->setMaximumWidth(220);
    for (const QString& page : Pages()) {
        auto* item = new QListWidgetItem(TitleOf(page), lbContents);
        item->setData(Qt::UserRole, page);
    }
    tbPage = new QTextBrowser(this);
    tbPage->setSearchPaths({QStringLiteral(":/help")});
    tbPage->setOpenExternalLinks(true);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(lbContents);
    layout->addWidget(tbPage, 1);

    connect(lbContents, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && Pages().value(row) != CurrentPage()) {
            ShowPage(Pages().value(row));
        }
    });
    connect(tbPage, &QTextBrowser::sourceChanged, this, &THelpFm::SelectInContents);
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
}

THelpFm* THelpFm::ShowHelp(QWidget* parent, const QString& page) {
    static QPointer<THelpFm> window;
    const bool made = !window;
    if (made) {
        window = new THelpFm(parent);
        window->setAttribute(Qt::WA_DeleteOnClose);
    }
    window->ShowPage(page);
    window->show();
    // A new help window opens in the middle, not over the menu; later it
    // stays where the operator put it.
    if (made) {
        Placement::Centre(window, parent ? parent->window() : nullptr);
    }
    window->raise();
    window->activateWindow();
    return window;
}

const QStringList& THelpFm::Pages() {
    static const QStringList pages{QStringLiteral("index.html"),   QStringLiteral("rental.html"),
                                   QStringLiteral("sales.html"),   QStringLiteral("library.html"),
                                   QStringLiteral("members.html"), QStringLiteral("funds.html"),
                                   QStringLiteral("reports.html"), QStringLiteral("settings.html")};
    return pages;
}

void THelpFm::ShowPage(const QString& page) {
    tbPage->setSource(QUrl(HelpRoot + page));
}

QString THelpFm::CurrentPage() const {
    return tbPage->source().fileName();
}

void THelpFm::SelectInContents(const QUrl& url) {
    const qsizetype row = Pages().indexOf(url.fileName());
    if (row >= 0) {
        lbContents->setCurrentRow(static_cast<int>(row));
    }
}
