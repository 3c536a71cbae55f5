#include "storage/records/FTransaction.h"

#include "storage/dao/CBQuery.h"
#include "storage/records/FieldBinder.h"

void TFTransaction::Bind(TFieldBinder& binder) {
    binder("Day", Day);
    binder("CId1", CId1);
    binder("Flag", Flag);
    binder("CId2", CId2);
    binder("CId3", CId3);
    binder("AId1", AId1);
    binder("AId2", AId2);
    binder("AId3", AId3);
    binder("Sum1", Sum1);
    binder("Sum2", Sum2);
    binder("Memo", Memo);
}

void TFTransaction::DoLoadLinked() {
    Category = TCategory();
    Company = TCompany();
    Operator = TOperator();
    Account = TAccount();
    Associator = TAssociator();
    auto load = [](TCBObject& linked, int id) {
        if (id > 0) {
            linked.LoadById(id);
        }
    };
    load(Category, CId1);
    load(Company, CId2);
    load(Operator, CId3);
    load(Account, AId1);
    load(Associator, AId3);
}

void TFTransaction::DoSaveLinked() {
    Category.Save();
    Company.Save();
    Operator.Save();
    Account.Save();
    Associator.Save();
}

void TFTransaction::Assign(const TFTransaction& source) {
    TFTransaction kept = std::move(*this);
    *this = source;
    Category = std::move(kept.Category);
    Company = std::move(kept.Company);
    Operator = std::move(kept.Operator);
    Account = std::move(kept.Account);
    Associator = std::move(kept.Associator);
}

int TFTransaction::LoadByRentalSn(int sn) {
    int movementId = 0;
    {
        TCBQuery query;
        if (!query.HasRows(
                Format(QStringLiteral("SELECT FId FROM TbRTransaction WHERE (CId2=%d) AND (Sn=%d)"),
                       {2, sn}))) {
            return 0;
        }
        movementId = int(query.FieldByName(QStringLiteral("FId")).AsInteger());
    }
    return LoadById(movementId) ? 1 : 0;
}
