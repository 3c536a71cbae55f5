#include "storage/dao/CBQuery.h"

#include "storage/dao/DM.h"
#include "storage/dao/Errors.h"

TCBQuery::TCBQuery() : TDAOQuery(&TDM::Instance().DbBase) {}

int TCBQuery::OpenCount(const QString& sql) {
    Close();
    SetSQL(sql);
    try {
        Open();
        const int count = RecordCount();
        First();
        return count;
    } catch (const EOleException&) {
        Close();
        return -1;
    }
}

bool TCBQuery::HasRows(const QString& sql) {
    Close();
    SetSQL(sql);
    try {
        Open();
        return !IsEmpty();
    } catch (const EOleException&) {
        Close();
        return false;
    }
}

bool TCBQuery::RunSql(const QString& sql) {
    Close();
    SetSQL(sql);
    try {
        ExecSQL();
        return true;
    } catch (const EOleException&) {
        return false;
    }
}

QString TCBQuery::FieldText(const QString& sql, const QString& column) {
    QString text;
    if (OpenCount(sql) >= 1) {
        text = FieldByName(column).AsString();
    }
    Close();
    return text;
}
