#include "sales/TitleWriteOff.h"

#include "storage/Prompter.h"
#include "storage/dao/DM.h"
#include "storage/dao/Format.h"
#include "storage/records/RentCd.h"

namespace TitleWriteOff {

int StatusOf(int titleId) {
    const QString status = TDM::Instance().SqlFieldText(
        Format(QStringLiteral("SELECT Status FROM TbRentCd WHERE Id=%d"), {titleId}),
        QStringLiteral("Status"));
    return status.isEmpty() ? 0 : status.toInt();
}

QString Caption(int status) {
    return status == TRentCd::WrittenOff ? QStringLiteral("恢复 F8") : QStringLiteral("注销 F8");
}

bool Toggle(int titleId) {
    TRentCd title;
    if (!title.LoadById(titleId)) {
        return false;
    }
    const bool restore = title.Status == TRentCd::WrittenOff;
    const QString question =
        restore ? QStringLiteral("真的要恢复注销影片[%s %s]吗？")
                : QStringLiteral("注销影片[%s %s]将使其无法参与正常的出租返还业务。真的要注销吗？");
    if (!AskYesNo(Format(question, {title.Code, title.Name}))) {
        return false;
    }
    title.Status = restore ? TRentCd::InStock : TRentCd::WrittenOff;
    title.Save();
    return true;
}

} // namespace TitleWriteOff
