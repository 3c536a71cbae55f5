#include "members/Counterpart.h"

#include "storage/dao/CBQuery.h"
#include "storage/dao/Format.h"
#include "storage/records/FTransaction.h"

namespace Counterpart {

namespace {

enum { SettledRental = 1, RentalOut = 2, CancelledRental = 3 };

QString NameOf(const char* table, int id) {
    return TCBQuery().FieldText(
        Format(QStringLiteral("SELECT Name FROM %s WHERE Id=%d"), {QString::fromLatin1(table), id}),
        QStringLiteral("Name"));
}

} // namespace

int OtherSide(const TFTransaction& movement, int accountId) {
    if (movement.Flag != TFTransaction::AccountMovement) {
        return movement.AId1;
    }
    return movement.AId1 == accountId ? movement.AId2 : movement.AId1;
}

QString Name(const TFTransaction& movement, int accountId) {
    if (movement.Flag != TFTransaction::AccountMovement) {
        return NameOf("TbAssociator", movement.AId1);
    }
    const int category = movement.CId1;
    if (category == SettledRental || category == RentalOut || category == CancelledRental) {
        return movement.AId3 == 0 ? QStringLiteral("零租用户")
                                  : NameOf("TbAssociator", movement.AId3);
    }
    return NameOf("TbAccount", OtherSide(movement, accountId));
}

} // namespace Counterpart
