#include "sales/ui/SearchBillFm.h"

#include "app/Session.h"
#include "app/kit/DataGrid.h"
#include "app/kit/DateEdit.h"
#include "app/kit/DeskGrid.h"
#include "app/kit/DeskLineModel.h"
#include "app/kit/EngineCall.h"
#include "app/kit/GridFooter.h"
#include "app/kit/MoneyEdit.h"
#include "sales/SaleObject.h"
#include "storage/CheckedMoney.h"
#include "storage/InputChecks.h"
#include "storage/TextFormats.h"
#include "storage/dao/DAOQuery.h"
#include "storage/dao/Format.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString MovementsSql = QStringLiteral(
    "SELECT A.Id,A.Day,B.Name AS Operator,A.Sum1 AS Sum,A.Memo FROM TbFTransaction AS A LEFT "
    "JOIN TbOperator AS B ON B.Id=A.CId3");

QList<TGridColumn> MovementColumns() {
    return {{QStringLiteral("销售日期"), QStringLiteral("Day"), TCellKind::Date,
             QStringLiteral("A.Day")},
            {QStringLiteral("操作员"), QStringLiteral("Operator"), TCellKind::Text,
             QStringLiteral("B.Name")},
            {QStringLiteral("销售金额"), QStringLiteral("Sum"), TCellKind::Money,
             QStringLiteral("A.Sum1")},
            {QStringLiteral("说明"), QStringLiteral("Memo"), TCellKind::Text,
             QStringLiteral("A.Memo")}};
}

QList<TGridColumn> LineColumns() {
    return {{QStringLiteral("影片编号"), QStringLiteral("Code")},
            {QStringLiteral("影片名称"), QStringLiteral("Name")},
            {QStringLiteral("销售数量"), QStringLiteral("Number"), TCellKind::Number},
            {QStringLiteral("单价"), QStringLiteral("Price"), TCellKind::Money}};
}

} // namespace

TSearchBillFm::TSearchBillFm(QWidget* parent) : TDialogFm(parent), lineColumns_(LineColumns()) {
    setWindowTitle(QStringLiteral("查找销售单据"));
    setObjectName(QStringLiteral("SearchBillFm"));
    resize(620, 480);

    dgBill = new TDataGrid(&TSession::Current().Dm.DbBase, this);
    dgBill->setToolTip(QStringLiteral("销售单据"));
    ftBill = new TGridFooter(dgBill, this);
    lbHint = new QLabel(QStringLiteral("（用鼠标选择需要退还的销售记录，按[选定单据]按钮）"), this);
    btnOk = new QPushButton(QStringLiteral("选定单据"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnClose = new QPushButton(QStringLiteral("关闭"), this);
    btnClose->setObjectName(QStringLiteral("btnClose"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lbHint, 1);
    buttons->addWidget(btnOk);
    buttons->addWidget(btnClose);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BuildConditions());
    layout->addWidget(dgBill, 3);
    layout->addWidget(ftBill);
    layout->addWidget(BuildLines(), 2);
    layout->addLayout(buttons);

    connect(btnSearch, &QPushButton::clicked, this, &TSearchBillFm::Search);
    connect(btnOk, &QPushButton::clicked, this, &TSearchBillFm::Choose);
    connect(btnClose, &QPushButton::clicked, this, &TSearchBillFm::Reject);
    connect(&dgBill->Model(), &TGridModel::RowsCounted, this, &TSearchBillFm::ShowCount);
    connect(dgBill, &TDataGrid::Reloaded, this, [this] {
        dgBill->KeepARowCurrent();
        ShowCount();
        ShowLines();
    });
    // Set up with no row; the search of today's sales below fills it.
    dgBill->SetUp(QStringLiteral("dgSearchBill"), MovementColumns(), MovementsSql,
                  QStringLiteral("A.Id=0"), QStringLiteral("A.Id"));
    connect(dgBill->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TSearchBillFm::ShowLines);
    Search();
}

QWidget* TSearchBillFm::BuildConditions() {
    auto* box = new QWidget(this);
    edDay = new TDateEdit(box);
    edDay->setObjectName(QStringLiteral("edDay"));
    edSum = new TMoneyEdit(QStringLiteral("销售金额"), box);
    edSum->setObjectName(QStringLiteral("edSum"));
    edSum->SetValue(Currency());
    edSum->setAlignment(Qt::AlignRight);
    edSum->setFixedWidth(100);
    btnSearch = new QPushButton(QStringLiteral("开始查找"), box);
    btnSearch->setObjectName(QStringLiteral("btnSearch"));
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(QStringLiteral("销售时间 >="), box));
    row->addWidget(edDay);
    row->addSpacing(12);
    row->addWidget(new QLabel(QStringLiteral("销售金额 ＝"), box));
    row->addWidget(edSum);
    row->addWidget(btnSearch);
    row->addStretch();
    return box;
}

QWidget* TSearchBillFm::BuildLines() {
    TDeskLineSource source;
    source.count = [this] { return int(Lines.size()); };
    source.value = [this](int line, int column) -> QVariant {
        const TLine& shown = Lines[line];
        switch (column) {
        case 0:
            return shown.code;
        case 1:
            return shown.name;
        case 2:
            return shown.number;
        default:
            return QVariant::fromValue(shown.price);
        }
    };
    linesModel_ = new TDeskLineModel(lineColumns_, source, this);
    tlLines = new TDeskGrid(linesModel_, QStringLiteral("tlLines"));
    ftLines = new TGridFooter(tlLines);
    return tlLines->InPage(ftLines, this);
}

QString TSearchBillFm::Find(QWidget* parent) {
    TSearchBillFm dialog(parent);
    return dialog.Exec() == QDialog::Accepted ? dialog.ChosenSn() : QString();
}

void TSearchBillFm::ModalShown() {
    edDay->setFocus();
}

bool TSearchBillFm::Search() {
    if (!InputChecks::CheckDate(QStringLiteral("销售日期"), edDay->text())) {
        edDay->setFocus();
        return false;
    }
    const std::optional<Currency> amount = edSum->Value();
    if (!amount) {
        return false;
    }
    QString where = Format(QStringLiteral("A.CId1=%d AND A.Day>=#%s#"),
                           {int(TSaleObject::SaleKind), edDay->text()});
    if (!amount->IsZero()) {
        where += Format(QStringLiteral(" AND A.Sum1=%f"), {*amount});
    }
    dgBill->Data().SetSql(MovementsSql, where, QStringLiteral("A.Id"));
    dgBill->Reload();
    return true;
}

void TSearchBillFm::ShowCount() {
    ftBill->SetCell(0, dgBill->Model().Counted()
                           ? QStringLiteral("总数：%1").arg(dgBill->model()->rowCount())
                           : QString());
}

void TSearchBillFm::ShowLines() {
    Lines.clear();
    const qint64 fund = dgBill->SelectedId();
    if (fund > 0) {
        EngineCall::Run([this, fund] {
            TDAOQuery query(&TSession::Current().Dm.DbBase);
            query.SetSQL({QStringLiteral("SELECT A.Id,B.Code,B.Name,A.Number,A.Price,A.Sn"),
                          QStringLiteral("FROM (TbSTransaction AS A LEFT JOIN TbSaleCd AS B ON "
                                         "A.CId1=B.Id) "),
                          QStringLiteral("WHERE A.FId=:Id")});
            query.Params().ParamByName(QStringLiteral("Id")).SetAsInteger(fund);
            query.Open();
            for (query.First(); !query.Eof(); query.Next()) {
                Lines.append({query.FieldByName(QStringLiteral("Code")).AsString(),
                              query.FieldByName(QStringLiteral("Name")).AsString(),
                              int(query.FieldByName(QStringLiteral("Number")).AsInteger()),
                              query.FieldByName(QStringLiteral("Price")).AsCurrency(),
                              int(query.FieldByName(QStringLiteral("Sn")).AsInteger())});
            }
        });
    }
    tlLines->Redraw();
    int number = 0;
    Currency prices;
    for (const TLine& line : Lines) {
        number += line.number;
        prices = CheckedMoney::Add(prices, line.price);
    }
    ftLines->SetCell(2, QStringLiteral("总数：%1").arg(number));
    ftLines->SetCell(3, QStringLiteral("合计：") + TextFormats::MoneyText(prices));
}

QString TSearchBillFm::ChosenSn() const {
    if (Lines.isEmpty()) {
        return {};
    }
    const int line = tlLines->currentIndex().row();
    return QString::number(Lines[line >= 0 && line < Lines.size() ? line : 0].sn);
}

void TSearchBillFm::Choose() {
    if (!ChosenSn().isEmpty()) {
        Accept();
    }
}
