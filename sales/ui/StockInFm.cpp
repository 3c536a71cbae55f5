#include "sales/ui/StockInFm.h"

#include "app/kit/ButtonMnemonic.h"
#include "app/kit/DateEdit.h"
#include "app/kit/DeskGrid.h"
#include "app/kit/DeskLineModel.h"
#include "app/kit/EngineCall.h"
#include "app/kit/GridFooter.h"
#include "app/kit/IdComboBox.h"
#include "app/kit/MoneyEdit.h"
#include "storage/CheckedMoney.h"
#include "storage/Prompter.h"
#include "storage/records/CdTitle.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QPushButton* NewButton(const QString& caption, const char* name, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QLatin1String(name));
    ClickOnMnemonic(button);
    return button;
}

// The rental list shows each line's price, the sale list the unit cost and
// what the quantity comes to.
QList<TGridColumn> LineColumns(TTitleFields::TKind kind) {
    QList<TGridColumn> columns{
        {QStringLiteral("日期"), QStringLiteral("Day"), TCellKind::Date},
        {QStringLiteral("编号"), QStringLiteral("Code")},
        {QStringLiteral("名称"), QStringLiteral("Name")},
        {QStringLiteral("数量"), QStringLiteral("Number"), TCellKind::Number}};
    if (kind == TTitleFields::TKind::Rent) {
        columns.append({QStringLiteral("价格"), QStringLiteral("Price"), TCellKind::Money});
    } else {
        columns.append({QStringLiteral("单价"), QStringLiteral("Price"), TCellKind::Money});
        columns.append({QStringLiteral("金额"), QStringLiteral("Amount"), TCellKind::Money});
    }
    return columns;
}

} // namespace

TStockInFm::TStockInFm(TCBObject& batch, QWidget* parent) : TEditDialogFm(batch, parent) {}

void TStockInFm::BuildWindow(TTitleFields::TKind kind) {
    // Made in the order Enter goes through them: the header, the entry, then
    // "保存 &E", which posts the entry and puts the focus back on "编号".
    auto* layout = new QVBoxLayout(pnBody);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(BuildHeader());
    gbCd = new QGroupBox(QStringLiteral("影片信息"), pnBody);
    gbCd->setObjectName(QStringLiteral("gbCd"));
    pnCd = new TTitleFields(kind, gbCd);
    AddEntryFields();
    auto* group = new QVBoxLayout(gbCd);
    group->addWidget(pnCd);
    group->addWidget(BuildButtons());
    layout->addWidget(gbCd);
    BuildList(kind);
    layout->addWidget(tlStock->InPage(ftStock, pnBody), 1);
    resize(760, 640);

    connect(edDay, &TDateEdit::editingFinished, this, [this] {
        if (!batch_->SetEntryDay(edDay->text())) {
            edDay->setFocus();
        }
    });
    connect(btnAdd, &QPushButton::clicked, this, [this] {
        batch_->ClearEntry();
        ShowEntry();
        EnableButtons();
        pnCd->edCode->setFocus();
    });
    connect(btnPost, &QPushButton::clicked, this, &TStockInFm::PostEntry);
    connect(btnDelete, &QPushButton::clicked, this, [this] {
        batch_->DeleteLine();
        ShowBatch();
    });
    connect(btnCopy, &QPushButton::clicked, this, [this] {
        batch_->CopyLine();
        EnableButtons();
    });
    connect(btnPaste, &QPushButton::clicked, this, [this] {
        if (batch_->PasteLine()) {
            ShowEntry();
            pnCd->edCode->setFocus();
        }
    });
    // A click, or the arrow keys in the list, make a line the entry.
    connect(tlStock, &QAbstractItemView::clicked, this,
            [this](const QModelIndex& index) { SelectLine(index.row()); });
    connect(tlStock->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (tlStock->hasFocus()) {
                    SelectLine(current.row());
                }
            });
}

QWidget* TStockInFm::BuildHeader() {
    auto* box = new QWidget(pnBody);
    edDay = new TDateEdit(box);
    edDay->setObjectName(QStringLiteral("edDay"));
    // The lists in the order their rows were entered, the first chosen; not in
    // the order of the name index the engine may read them through.
    cbCompany = new TIdComboBox(box);
    cbCompany->setObjectName(QStringLiteral("cbCompany"));
    cbCompany->Fill(QStringLiteral("SELECT Id,Name AS TXT FROM TbCompany ORDER BY Id"));
    cbAccount = new TIdComboBox(box);
    cbAccount->setObjectName(QStringLiteral("cbAccount"));
    cbAccount->Fill(QStringLiteral("SELECT Id,Name AS TXT FROM TbAccount ORDER BY Id"));
    cbOperator = new TIdComboBox(box);
    cbOperator->setObjectName(QStringLiteral("cbOperator"));
    cbOperator->Fill(QStringLiteral("SELECT Id,Name AS TXT FROM TbOperator ORDER BY Id"));
    edSum = new TMoneyEdit(QStringLiteral("金额"), box);
    edSum->setObjectName(QStringLiteral("edSum"));
    edMemo2 = new QLineEdit(box);
    edMemo2->setObjectName(QStringLiteral("edMemo2"));

    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    const auto add = [box, grid](int row, int column, const char* caption, QWidget* field) {
        auto* label = new QLabel(QString::fromUtf8(caption), box);
        label->setBuddy(field);
        grid->addWidget(label, row, column);
        grid->addWidget(field, row, column + 1);
    };
    add(0, 0, "日期", edDay);
    add(0, 2, "供应商", cbCompany);
    add(0, 4, "付款账户", cbAccount);
    add(1, 0, "经手人", cbOperator);
    add(1, 2, "金额", edSum);
    add(1, 4, "说明", edMemo2);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnStretch(5, 1);
    return box;
}

QWidget* TStockInFm::BuildButtons() {
    auto* box = new QWidget(gbCd);
    // "保存 &E" follows the last field in the Enter order; it is shown second.
    btnPost = NewButton(QStringLiteral("保存 &E"), "btnPost", box);
    btnAdd = NewButton(QStringLiteral("新添 &A"), "btnAdd", box);
    btnDelete = NewButton(QStringLiteral("删除 &D"), "btnDelete", box);
    btnCopy = NewButton(QStringLiteral("复制 &X"), "btnCopy", box);
    btnPaste = NewButton(QStringLiteral("粘贴 &V"), "btnPaste", box);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addStretch();
    for (QPushButton* button : {btnAdd, btnPost, btnDelete, btnCopy, btnPaste}) {
        row->addWidget(button);
    }
    return box;
}

void TStockInFm::BuildList(TTitleFields::TKind kind) {
    const QList<TGridColumn> columns = LineColumns(kind);
    TDeskLineSource source;
    source.count = [this] { return int(batch_->Lines().size()); };
    source.value = [this, columns](int line, int column) -> QVariant {
        const TITransaction& row = batch_->Lines()[line];
        const QString& field = columns[column].field;
        if (field == QLatin1String("Day")) {
            return row.Day;
        }
        if (field == QLatin1String("Code")) {
            return batch_->TitleOf(line).Code;
        }
        if (field == QLatin1String("Name")) {
            return batch_->TitleOf(line).Name;
        }
        if (field == QLatin1String("Number")) {
            return row.Number;
        }
        return QVariant::fromValue(field == QLatin1String("Price")
                                       ? row.Price
                                       : CheckedMoney::Multiply(row.Price, row.Number));
    };
    tlStock =
        new TDeskGrid(new TDeskLineModel(columns, source, this), QStringLiteral("tlStock"), pnBody);
    ftStock = new TGridFooter(tlStock, pnBody);
    ftStock->setObjectName(QStringLiteral("ftStock"));
}

void TStockInFm::ShowBatch() {
    tlStock->Model().Reload();
    // The list shows the batch's selected line highlighted.
    const int current = batch_->CurrentLine();
    if (current >= 0 && current < tlStock->Model().rowCount()) {
        tlStock->selectRow(current);
    } else {
        tlStock->clearSelection();
    }
    ftStock->Clear();
    ShowTotals();
    ShowEntry();
    EnableButtons();
}

void TStockInFm::EnableButtons() {
    const bool lines = !batch_->Lines().isEmpty();
    btnDelete->setEnabled(lines);
    btnCopy->setEnabled(lines);
    btnPaste->setEnabled(batch_->Copied());
}

void TStockInFm::PostEntry() {
    TChecked refusal;
    if (!EngineCall::Run([&] { refusal = SubmitEntry(cbCompany->ChosenId()); }) ||
        Refused(refusal)) {
        return;
    }
    ShowBatch();
    pnCd->edCode->setFocus();
}

void TStockInFm::SelectLine(int line) {
    if (line < 0 || line >= batch_->Lines().size()) {
        return;
    }
    batch_->SelectLine(line);
    ShowEntry();
    EnableButtons();
}

void TStockInFm::PrepareNew() {
    TEditDialogFm::PrepareNew();
    batch_->ClearEntry();
    edMemo2->clear();
    ShowBatch();
}

void TStockInFm::FocusFirst() {
    edDay->setFocus();
}

bool TStockInFm::Validate() {
    // Saving with nothing posted would close the dialog on an entry still
    // waiting for "保存 &E".
    if (batch_->Lines().isEmpty()) {
        ShowWarning(QStringLiteral("货品列表中还没有影片，请先点击“保存”把影片加入列表。"));
        pnCd->edCode->setFocus();
        return false;
    }
    // A new title typed but not yet posted would be dropped without a word.
    const QString typed = pnCd->edCode->text().trimmed();
    if (batch_->CurrentLine() < 0 && !typed.isEmpty() &&
        !AskYesNo(QStringLiteral("编号为“%1”的影片还没有加入货品列表，是否放弃它、只保存列表中的"
                                 "影片？")
                      .arg(typed))) {
        pnCd->edCode->setFocus();
        return false;
    }
    return true;
}

void TStockInFm::ShowRecord() {
    ShowBatch();
}

bool TStockInFm::SaveRecord() {
    TStockHeader header;
    header.day = edDay->text();
    header.supplier = cbCompany->ChosenId();
    header.account = cbAccount->ChosenId();
    header.operatorId = cbOperator->ChosenId();
    header.amount = edSum->text();
    header.memo = edMemo2->text();
    return !Refused(batch_->SetHeader(header)) && TEditDialogFm::SaveRecord();
}

bool TStockInFm::CanClose() {
    return batch_->Lines().isEmpty() ||
           AskYesNo(QStringLiteral("货品列表中还有未保存的影片，是否真的要放弃保存？"));
}
