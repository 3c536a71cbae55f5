#include "reports/ui/SChildFm.h"

#include "app/Session.h"
#include "app/kit/DataGrid.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TSChildFm::TSChildFm(const QString& caption) {
    setWindowTitle(caption);
    dgSearch = new TDataGrid(&TSession::Current().Dm.DbBase, this);
    btnStart = new QPushButton(QStringLiteral("查询(&F)"), this);
    btnStart->setObjectName(QStringLiteral("btnStart"));
    options_ = new QHBoxLayout;
    auto* top = new QHBoxLayout;
    top->addLayout(options_);
    top->addWidget(btnStart);
    top->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(dgSearch, 1);
    connect(btnStart, &QPushButton::clicked, this, &TSChildFm::Start);
}

void TSChildFm::SetUpGrid(const QList<TGridColumn>& columns, const QString& select,
                          const QString& key) {
    select_ = select;
    key_ = key;
    dgSearch->SetUp(QStringLiteral("dgSearch"), columns, select, WhereText().value_or(QString()),
                    key);
}

void TSChildFm::Start() {
    const std::optional<QString> where = WhereText();
    if (!where) {
        return;
    }
    dgSearch->Data().SetSql(select_, *where, key_);
    dgSearch->Reload();
}
