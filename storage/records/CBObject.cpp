#include "storage/records/CBObject.h"

#include "storage/dao/CBQuery.h"
#include "storage/dao/DM.h"
#include "storage/dao/Format.h"
#include "storage/records/FieldBinder.h"

void TCBObject::ReadFields(TDAODataset& dataset) {
    TFieldBinder binder(dataset, TFieldBinder::Direction::Read);
    Bind(binder);
}

void TCBObject::WriteFields(TDAODataset& dataset) {
    TFieldBinder binder(dataset, TFieldBinder::Direction::Write);
    Bind(binder);
}

int TCBObject::Delete() {
    DeleteById(Id);
    return DeleteDone;
}

int TCBObject::NextSerial() const {
    TCBQuery query;
    const QString max =
        query.FieldText(Format(QStringLiteral("SELECT Max(Id) AS MaxId FROM %s"), {tableName_}),
                        QStringLiteral("MaxId"));
    return max.isEmpty() ? 1 : max.toInt() + 1;
}

bool TCBObject::LoadById(int id) {
    Id = id;
    TCBQuery query;
    if (!query.HasRows(Format(QStringLiteral("SELECT * FROM %s WHERE Id=%d"), {tableName_, id}))) {
        return false;
    }
    return LoadFromQuery(query);
}

bool TCBObject::LoadFromQuery(TDAODataset& query) {
    ReadFields(query);
    Id = int(query.FieldByName(QStringLiteral("Id")).AsInteger());
    query.Close();
    DoLoadLinked();
    return true;
}

bool TCBObject::SaveById(int& id) {
    TCBQuery query;
    const bool found =
        query.HasRows(Format(QStringLiteral("SELECT * FROM %s WHERE Id=%d"), {tableName_, id}));
    if (!query.Active()) {
        // The SELECT failed: open an empty result of the table to append to.
        query.SetSQL(Format(QStringLiteral("SELECT * FROM %s WHERE Id=-1"), {tableName_}));
        query.Open();
    }
    if (found && id > 0) {
        query.Edit();
    } else {
        query.Append();
    }
    WriteFields(query);
    query.Post();
    id = int(query.FieldByName(QStringLiteral("Id")).AsInteger());
    return true;
}

void TCBObject::DeleteById(int id) {
    TCBQuery query;
    query.RunSql(Format(QStringLiteral("DELETE * FROM %s WHERE Id=%d"), {tableName_, id}));
}

bool TCBObject::Exists(const char* pattern, std::initializer_list<TFormatArg> args) {
    return TDM::Instance().SqlHasRows(SqlFormat(QString::fromUtf8(pattern), args));
}

void TCBObject::Execute(const char* pattern, std::initializer_list<TFormatArg> args) {
    TDM::Instance().ExecSql(SqlFormat(QString::fromUtf8(pattern), args));
}

int TCodedObject::LoadByCode(const QString& code) {
    TCBQuery query;
    if (!query.HasRows(
            SqlFormat(QStringLiteral("SELECT * FROM %s WHERE Code=\"%s\""), {TableName(), code}))) {
        return -1;
    }
    LoadFromQuery(query);
    return Id;
}
