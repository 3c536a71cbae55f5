#include "app/OpenDbFm.h"

#include "app/FileChooser.h"
#include "app/ImportJetFm.h"
#include "app/kit/EngineCall.h"
#include "storage/Prompter.h"
#include "storage/ledger/LedgerFiles.h"
#include "storage/ledger/ProgramPaths.h"

#include <QDialog>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <functional>
#include <utility>

namespace {

// Runs `act` when the watched widget is clicked or (with `onFocus`) entered.
class TEntryWatch : public QObject {
public:
    TEntryWatch(QWidget* watched, bool onFocus, std::function<void()> act)
        : QObject(watched), onFocus_(onFocus), act_(std::move(act)) {
        watched->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress ||
            (onFocus_ && event->type() == QEvent::FocusIn)) {
            act_();
        }
        return false;
    }

private:
    bool onFocus_;
    std::function<void()> act_;
};

} // namespace

TOpenDbFm::TOpenDbFm(QWidget* parent, const QString& dataDirectory)
    : TDialogFm(parent), dataDirectory_(dataDirectory) {
    setWindowTitle(QStringLiteral("打开/新建账本"));
    resize(420, 460);

    rbOpen = new QRadioButton(QStringLiteral("打开您的账本文件"), this);
    rbOpen->setChecked(true);
    lbFiles = new QListWidget(this);
    FillList(QString());
    lbFile =
        new QLabel(QStringLiteral("账本位置：") + QDir::toNativeSeparators(dataDirectory_), this);
    lbFile->setWordWrap(true);
    rbNew = new QRadioButton(QStringLiteral("新建账本文件"), this);
    edDbName = new QLineEdit(this);
    edDbName->setObjectName(LedgerFiles::NameField);
    edDbName->setPlaceholderText(QStringLiteral("请输入您的店铺名称作为您新账本名称。"));
    edDbName->setToolTip(edDbName->placeholderText());
    auto* lbNote =
        new QLabel(QStringLiteral("  软件提供的例子账本仅供测试使用，正式使用请新建账本。"), this);
    lbNote->setWordWrap(true);
    btnOpen = new QPushButton(QStringLiteral("打开"), this);
    btnOpen->setDefault(true);
    btnCancel = new QPushButton(QStringLiteral("取消"), this);
    btnImport = new QPushButton(QStringLiteral("导入旧版账本…"), this);
    btnImport->setToolTip(QStringLiteral("把旧版软件（Windows）的账本文件导入数据目录"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnImport);
    buttons->addStretch();
    buttons->addWidget(btnOpen);
    buttons->addWidget(btnCancel);
    // The list and the name box sit indented under the choice they belong to.
    auto* openPart = new QVBoxLayout;
    openPart->setContentsMargins(20, 0, 0, 0);
    openPart->addWidget(lbFiles, 1);
    openPart->addWidget(lbFile);
    auto* newPart = new QVBoxLayout;
    newPart->setContentsMargins(20, 0, 0, 0);
    newPart->addWidget(edDbName);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(rbOpen);
    layout->addLayout(openPart, 1);
    layout->addSpacing(8);
    layout->addWidget(rbNew);
    layout->addLayout(newPart);
    layout->addSpacing(8);
    layout->addWidget(lbNote);
    layout->addLayout(buttons);

    // The choice follows where the operator works: the list means open, the
    // name box means new; choosing a button puts the focus where it applies.
    new TEntryWatch(lbFiles->viewport(), false, [this] { rbOpen->setChecked(true); });
    new TEntryWatch(edDbName, true, [this] { rbNew->setChecked(true); });
    connect(rbOpen, &QRadioButton::clicked, lbFiles, [this] { lbFiles->setFocus(); });
    connect(rbNew, &QRadioButton::clicked, edDbName, [this] { edDbName->setFocus(); });
    // Enter or a double click on a ledger of the list opens that ledger.
    KeepEnter(lbFiles);
    connect(lbFiles, &QListWidget::activated, this, [this] {
        rbOpen->setChecked(true);
        Open();
    });
    connect(btnOpen, &QPushButton::clicked, this, [this] { Open(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { Reject(); });
    connect(btnImport, &QPushButton::clicked, this, [this] { ImportOld(); });
    lbFiles->setFocus();
}

void TOpenDbFm::Open() {
    if (rbNew->isChecked()) {
        CreateNamed();
    } else {
        OpenChosen();
    }
}

void TOpenDbFm::OpenChosen() {
    const QListWidgetItem* item = lbFiles->currentItem();
    if (item == nullptr) {
        ShowWarning(QStringLiteral("请在列表中选择要打开的账本，或者新建账本。"));
        return;
    }
    ledgerPath_ = QDir(dataDirectory_).filePath(item->text() + QStringLiteral(".mdb"));
    Accept();
}

void TOpenDbFm::CreateNamed() {
    const TStored<QString> made = LedgerFiles::Create(dataDirectory_, edDbName->text());
    if (!made.Ok()) {
        edDbName->setFocus(); // the name is the one thing to correct here
        return;
    }
    ledgerPath_ = made.Value();
    Accept();
}

void TOpenDbFm::FillList(const QString& chosen) {
    lbFiles->clear();
    lbFiles->addItems(LedgerFiles::List(dataDirectory_));
    const QList<QListWidgetItem*> found = lbFiles->findItems(chosen, Qt::MatchExactly);
    lbFiles->setCurrentRow(found.isEmpty() ? 0 : lbFiles->row(found.front()));
}

void TOpenDbFm::ImportOld() {
    const QString source = TFileChooser::Current().OpenFile(
        this, QStringLiteral("导入旧版账本"), QStringLiteral("旧版账本 (*.mdb)|*.MDB"),
        QDir::homePath());
    if (source.isEmpty()) {
        return;
    }
    const QString target = JetImport::TargetIn(dataDirectory_, source);
    EngineCall::Run([&] {
        const TStored<JetImport::TImported> imported = TImportJetFm::Run(this, source, target);
        if (!imported.Ok()) {
            return; // the refusal has been shown
        }
        const QString name = QFileInfo(target).completeBaseName();
        FillList(name);
        rbOpen->setChecked(true);
        lbFiles->setFocus();
        ShowInformation(QStringLiteral("旧版账本已导入为账本“%1”，可以打开使用了。各表导入的"
                                       "行数：\n\n%2")
                            .arg(name, JetImport::SummaryLines(imported.Value()).join(u'\n')));
    });
}

std::optional<QString> ChooseLedger(QWidget* parent) {
    TOpenDbFm window(parent, ProgramPaths::DataDirectory());
    if (window.Exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return window.LedgerPath();
}
