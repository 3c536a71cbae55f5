#include "members/Counterpart.h"

#include "storage/dao/Format.h"

namespace Counterpart {

namespace {

enum { SettledRental = 1, RentalOut = 2, CancelledRental = 3 };

// The name of a row of `table` by the Id the expression gives; empty when no
// row has it.
QString NameOf(const char* table, const QString& id) {
    return Format(QStringLiteral("(SELECT N.Name FROM %s AS N WHERE N.Id=%s)"),
                  {QString::fromLatin1(table), id});
}

} // namespace

QString IdSql(int accountId) {
    return Format(QStringLiteral("IIF(A.Flag=0,IIF(A.AId1=%d,A.AId2,A.AId1),A.AId1)"), {accountId});
}

QString NameSql(int accountId) {
    return Format(QStringLiteral("IIF(A.Flag<>0,%s,IIF(A.CId1 IN(%d,%d,%d),IIF(A.AId3=0,"
                                 "\"零租用户\",%s),%s))"),
                  {NameOf("TbAssociator", QStringLiteral("A.AId1")), int(SettledRental),
                   int(RentalOut), int(CancelledRental),
                   NameOf("TbAssociator", QStringLiteral("A.AId3")),
                   NameOf("TbAccount", IdSql(accountId))});
}

} // namespace Counterpart
