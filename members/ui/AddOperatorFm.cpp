#include "members/ui/AddOperatorFm.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

constexpr int PasswordLength = 8;

QLineEdit* PasswordEdit(const QString& name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setEchoMode(QLineEdit::Password);
    edit->setMaxLength(PasswordLength);
    return edit;
}

} // namespace

TAddOperatorFm::TAddOperatorFm(QWidget* parent)
    : TEditDialogFm(operator_, parent), edName(new QLineEdit(pnBody)),
      edPassword(PasswordEdit(QStringLiteral("edPassword"), pnBody)),
      edRePassword(PasswordEdit(QStringLiteral("edRePassword"), pnBody)),
      dgOp(new QTableWidget(OperatorEdits::PermissionCount, 2, pnBody)) {
    setWindowTitle(QStringLiteral("新添/修改操作员"));
    edName->setObjectName(QStringLiteral("edName"));
    dgOp->setObjectName(QStringLiteral("dgOp"));

    dgOp->setHorizontalHeaderLabels({QString(), QStringLiteral("操作权限说明")});
    dgOp->verticalHeader()->hide();
    dgOp->verticalHeader()->setDefaultSectionSize(dgOp->fontMetrics().height() + 6);
    dgOp->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    dgOp->horizontalHeader()->setStretchLastSection(true);
    dgOp->setSelectionMode(QAbstractItemView::SingleSelection);
    dgOp->setSelectionBehavior(QAbstractItemView::SelectRows);
    dgOp->setEditTriggers(QAbstractItemView::NoEditTriggers);
    dgOp->setTabKeyNavigation(false);
    for (int row = 0; row < OperatorEdits::PermissionCount; ++row) {
        auto* tick = new QTableWidgetItem;
        tick->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        tick->setCheckState(Qt::Unchecked);
        dgOp->setItem(row, 0, tick);
        auto* text = new QTableWidgetItem(OperatorEdits::Permissions()[size_t(row)].rowText);
        text->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        dgOp->setItem(row, 1, text);
    }
    // The current cell stays in the tick column, where Space ticks it.
    connect(dgOp, &QTableWidget::currentCellChanged, this, [this](int row, int column) {
        if (column != 0 && row >= 0) {
            dgOp->setCurrentCell(row, 0);
        }
    });

    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("姓名"), edName);
    auto* hint = new QLabel(QStringLiteral("最大8个字符"), pnBody);
    auto* passwordRow = new QHBoxLayout;
    passwordRow->addWidget(edPassword);
    passwordRow->addWidget(hint);
    fields->addRow(QStringLiteral("密码"), passwordRow);
    fields->addRow(QStringLiteral("重复输入密码"), edRePassword);

    auto* group = new QGroupBox(
        QStringLiteral("操作员拥有权限（在项目前打钩，表示允许此操作员操作）"), pnBody);
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(dgOp);

    auto* layout = new QVBoxLayout(pnBody);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(fields);
    layout->addWidget(group, 1);
    resize(460, 620);
}

void TAddOperatorFm::SetUp(int id, int) {
    const bool administrator = id == OperatorEdits::AdministratorId;
    edName->setEnabled(!administrator);
    dgOp->setEnabled(!administrator);
}

void TAddOperatorFm::PrepareNew() {
    TEditDialogFm::PrepareNew();
    edName->clear();
    edPassword->clear();
    edRePassword->clear();
}

void TAddOperatorFm::FocusFirst() {
    if (operator_.Id == OperatorEdits::AdministratorId) {
        edPassword->setFocus();
    } else {
        edName->setFocus();
    }
}

bool TAddOperatorFm::Validate() {
    return !Refused(OperatorEdits::Check(operator_.Id, Entry()));
}

void TAddOperatorFm::ShowRecord() {
    const OperatorEdits::TEntry entry = OperatorEdits::EntryOf(operator_);
    edName->setText(entry.name);
    edPassword->setText(entry.password);
    edRePassword->setText(entry.rePassword);
    for (int row = 0; row < OperatorEdits::PermissionCount; ++row) {
        dgOp->item(row, 0)->setCheckState(entry.ticks[size_t(row) + 1] ? Qt::Checked
                                                                       : Qt::Unchecked);
    }
}

void TAddOperatorFm::StoreRecord() {
    OperatorEdits::Store(Entry(), operator_);
}

OperatorEdits::TEntry TAddOperatorFm::Entry() const {
    OperatorEdits::TEntry entry;
    entry.name = edName->text();
    entry.password = edPassword->text();
    entry.rePassword = edRePassword->text();
    for (int row = 0; row < OperatorEdits::PermissionCount; ++row) {
        entry.ticks[size_t(row) + 1] = dgOp->item(row, 0)->checkState() == Qt::Checked;
    }
    return entry;
}
