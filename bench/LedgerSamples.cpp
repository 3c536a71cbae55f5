#include "bench/LedgerSamples.h"

#include "rental/RentObject.h"
#include "storage/dao/DM.h"
#include "storage/dao/Format.h"

namespace LedgerSamples {

QStringList Column(TDM& dm, const QString& sql, const QString& column) {
    QStringList values;
    dm.OpenSql(sql);
    for (; !dm.Q1.Eof(); dm.Q1.Next()) {
        values.append(dm.Q1.FieldByName(column).AsString());
    }
    dm.Q1.Close();
    return values;
}

QString MemberHolding(TDM& dm, int count, TRentObject& engine) {
    const QStringList held = Column(
        dm,
        Format(QStringLiteral("SELECT TOP 1 A.Code FROM TbAssociator AS A WHERE (SELECT Count(*) "
                              "FROM TbRTransaction WHERE AId=A.Id AND CId2=2)=%d"),
               {count}),
        QStringLiteral("Code"));
    if (!held.isEmpty()) {
        return held.front();
    }
    const QString member = Column(dm,
                                  QStringLiteral("SELECT TOP 1 A.Code FROM TbAssociator AS A "
                                                 "WHERE NOT EXISTS (SELECT Id FROM TbRTransaction "
                                                 "WHERE AId=A.Id AND CId2=2) ORDER BY A.Id"),
                                  QStringLiteral("Code"))
                               .value(0);
    const QStringList discs =
        Column(dm,
               Format(QStringLiteral("SELECT TOP %d Code FROM TbRentCd WHERE Status=1 ORDER BY Id"),
                      {count}),
               QStringLiteral("Code"));
    engine.EnterMember(member);
    engine.EnterCode(discs.join(u'.')); // each code is a part without a range
    engine.CommitRent();
    return member;
}

QStringList SeriesInStock(TDM& dm, int count) {
    QStringList series;
    const QStringList tenths = Column(
        dm, QStringLiteral("SELECT Code FROM TbRentCd WHERE Code LIKE \"*-10\" AND Status=1"),
        QStringLiteral("Code"));
    for (const QString& tenth : tenths) {
        if (series.size() >= count) {
            break;
        }
        const QString prefix = tenth.chopped(3);
        const QString inStock = dm.SqlFieldText(
            Format(
                QStringLiteral("SELECT Count(*) AS N FROM TbRentCd WHERE Status=1 AND Code IN "
                               "(\"%s-1\",\"%s-2\",\"%s-3\",\"%s-4\",\"%s-5\",\"%s-6\","
                               "\"%s-7\",\"%s-8\",\"%s-9\",\"%s-10\")"),
                {prefix, prefix, prefix, prefix, prefix, prefix, prefix, prefix, prefix, prefix}),
            QStringLiteral("N"));
        if (inStock == QLatin1String("10")) {
            series.append(prefix);
        }
    }
    return series;
}

} // namespace LedgerSamples
