#include "storage/records/DeleteMessages.h"

#include "storage/Prompter.h"
#include "storage/records/CBObject.h"

#include <array>

namespace DeleteMessages {

namespace {

struct TRefusal {
    const char16_t* table;
    int result;
    const char16_t* text;
};

constexpr std::array<TRefusal, 13> Refusals{{
    {u"TbOperator", DeleteSystemRow, u"管理员不能删除。"},
    {u"TbOperator", DeleteInUse, u"此操作员已经参加过经营活动，不能删除。"},
    {u"TbCdCategory", DeleteHasSubCategories, u"请先删除此分类下的从属分类，才能删除此分类。"},
    {u"TbCdCategory", DeleteInUse, u"此分类已经被使用，不能删除。"},
    {u"TbCategory", DeleteHasSubCategories, u"请先删除此分类下的从属分类，才能删除此分类。"},
    {u"TbCategory", DeleteInUse, u"此分类已经被使用，不能删除。"},
    {u"TbCategory", DeleteSystemRow, u"系统业务分类不能删除。"},
    {u"TbAtorType", DeleteInUse, u"此会员项目已经被使用，不能删除。"},
    {u"TbFee", DeleteInUse, u"此收费标准已经被使用，不能删除。"},
    {u"TbCompany", DeleteInUse, u"此供应商已经被使用，不能删除。"},
    {u"TbRentCd", DeleteInUse, u"此影片已经进行了出租业务，不能删除。"},
    {u"TbSaleCd", DeleteInUse, u"此影片已经进行了销售业务，不能删除。"},
    {u"TbAccount", DeleteSystemRow, u"收银箱是系统账户，不能删除。"},
}};

} // namespace

QString Text(const QString& tableName, int result) {
    for (const TRefusal& refusal : Refusals) {
        if (refusal.result == result && tableName == QStringView(refusal.table)) {
            return QString::fromUtf16(refusal.text);
        }
    }
    return {};
}

bool Report(const TCBObject& record, int result) {
    if (result == DeleteDone) {
        return true;
    }
    const QString text = Text(record.TableName(), result);
    if (!text.isEmpty()) {
        ShowWarning(text);
    }
    return false;
}

} // namespace DeleteMessages
