#include "tests/members/MembersFixture.h"

#include "members/CategoryParents.h"
#include "members/MasterDataForms.h"
#include "storage/records/AtorType.h"
#include "storage/records/Category.h"
#include "storage/records/CdCategory.h"
#include "storage/records/Fee.h"

using namespace MasterDataForms;
using CategoryParents::TTree;

namespace {

// The refusal of a check: the field to focus and the message, "" when passed.
QString Refusal(const TChecked& checked) {
    return checked ? checked->field + u' ' + checked->message : QString();
}

QList<int> ChoiceIds(TTree tree, int id) {
    QList<int> ids;
    for (const CategoryParents::TChoice& choice : CategoryParents::Choices(tree, id)) {
        ids.append(choice.id);
    }
    return ids;
}

} // namespace

TEST_F(MembersTest, FeeStandardChecksStopAtTheFirstFaultyField) {
    struct Case {
        void (*change)(TFeeFields&);
        const char* refusal;
    };
    const Case cases[] = {
        {[](TFeeFields& f) { f.name = QStringLiteral(" "); },
         "edName “\"收费标准名称\"”输入不能为空，请输入。"},
        {[](TFeeFields& f) { f.name = QStringLiteral("标准收费"); },
         "edName “\"标准收费\"”名称已经存在，请重新输入。"},
        {[](TFeeFields& f) { f.deposit1 = QStringLiteral("1a"); },
         "edDeposit1 “\"零租押金/单位部数\"”输入不正确，请重新输入。"},
        {[](TFeeFields& f) { f.number1 = QStringLiteral("1.3"); },
         "edNumber1 “\"零租单位部数\"”输入不正确，应该为0.5的倍数。请重新输入。"},
        {[](TFeeFields& f) { f.number1 = QStringLiteral("0"); },
         "edNumber1 “\"零租单位部数\"”不能为零，请重新输入。"},
        {[](TFeeFields& f) { f.number1 = QStringLiteral("-1"); },
         "edNumber1 “\"零租单位部数\"”输入不正确，请重新输入。"},
        {[](TFeeFields& f) { f.days1 = QStringLiteral("0"); },
         "edDays1 “\"零租单位天数\"”不能为零，请重新输入。"},
        {[](TFeeFields& f) { f.rent2 = QStringLiteral("-2"); },
         "edRent2 “\"会员租金/单位天数\"”输入不正确，请重新输入。"},
        {[](TFeeFields& f) { f.days2 = QStringLiteral("1.5"); },
         "edDays2 “\"会员单位天数\"”输入不正确，请重新输入。"},
        // Earlier fields are checked first.
        {[](TFeeFields& f) {
             f.rent1 = QStringLiteral("x");
             f.number2 = QStringLiteral("0");
         },
         "edRent1 “\"零租租金/单位天数\"”输入不正确，请重新输入。"},
    };
    for (const Case& c : cases) {
        prompter_.Clear();
        TFeeFields fields;
        fields.name = QStringLiteral("新片");
        c.change(fields);
        EXPECT_EQ(Refusal(Check(-1, fields)), QString::fromUtf8(c.refusal));
        EXPECT_EQ(Errors().size(), 1) << c.refusal; // shown once
    }

    // Half units pass, zero deposits and rents pass, the own name passes on edit.
    TFeeFields fields;
    fields.name = QStringLiteral("标准收费");
    fields.number1 = QStringLiteral("1.5");
    fields.deposit2 = QStringLiteral("0");
    fields.rent2 = QStringLiteral("0");
    EXPECT_FALSE(Check(1, fields).has_value());
}

TEST_F(MembersTest, FeeStandardFieldsStoreAndShowInTheirFormats) {
    TFeeFields fields;
    EXPECT_EQ(fields.deposit1, QStringLiteral("10")); // a new fee standard's values
    fields.name = QStringLiteral("新片");
    fields.deposit1 = QStringLiteral("30");
    fields.number1 = QStringLiteral("1.5");
    fields.rent1 = QStringLiteral("2.5");
    fields.days1 = QStringLiteral("2");
    TFee fee;
    Apply(fee, fields);
    fee.Save();

    TFee stored;
    ASSERT_TRUE(stored.LoadById(fee.Id));
    const TFeeFields shown = Read(stored);
    EXPECT_EQ(shown.name, QStringLiteral("新片"));
    EXPECT_EQ(shown.deposit1, QStringLiteral("30.00"));
    EXPECT_EQ(shown.number1, QStringLiteral("1.5"));
    EXPECT_EQ(shown.rent1, QStringLiteral("2.50"));
    EXPECT_EQ(shown.days1, QStringLiteral("2"));
    EXPECT_EQ(shown.deposit2, QStringLiteral("10.00"));
    EXPECT_EQ(shown.number2, QStringLiteral("1.0"));
}

TEST_F(MembersTest, MemberTypeChecksFollowThePageInFront) {
    TAtorTypeFields fields;
    fields.name = QStringLiteral("月卡");
    fields.tSum = QStringLiteral("3x");
    EXPECT_EQ(Refusal(Check(-1, fields)),
              QStringLiteral("edT_Sum “\"每期交费金额\"”输入不正确，请重新输入。"));
    fields.tSum = QStringLiteral("30");
    fields.tDay = QStringLiteral("-30");
    EXPECT_EQ(Refusal(Check(-1, fields)),
              QStringLiteral("edT_Day “\"每期可看天数\"”输入不正确，请重新输入。"));
    fields.tDay = QStringLiteral("30");
    fields.days = QStringLiteral("");
    EXPECT_EQ(Refusal(Check(-1, fields)),
              QStringLiteral("edDays1 “\"每次限制天数\"”输入不正确，请重新输入。"));

    // The second page skips the quotas and names its own fields.
    fields.prepaid = true;
    fields.tDay = QStringLiteral("abc");
    EXPECT_EQ(Refusal(Check(-1, fields)),
              QStringLiteral("edDays2 “\"每次限制天数\"”输入不正确，请重新输入。"));
    fields.days = QStringLiteral("0");
    EXPECT_FALSE(Check(-1, fields).has_value());
    fields.name = QStringLiteral("普通会员");
    EXPECT_EQ(Refusal(Check(-1, fields)),
              QStringLiteral("edName2 “\"普通会员\"”名称已经存在，请重新输入。"));
}

TEST_F(MembersTest, APrepaidMemberTypeStoresFeeFiveWithoutQuotas) {
    TAtorTypeFields fields;
    fields.name = QStringLiteral("储值");
    fields.days = QStringLiteral("3");
    fields.feeIndex = 3;
    fields.tDay = QStringLiteral("30");
    fields.tSum = QStringLiteral("50");
    fields.tNum = QStringLiteral("10");
    fields.punishIndex = 1;
    TAtorType type;
    Apply(type, fields);
    EXPECT_EQ(type.Fee, 4);
    EXPECT_EQ(type.Punish, 2);
    EXPECT_EQ(type.T_Sum, Money("50"));

    fields.prepaid = true;
    Apply(type, fields);
    EXPECT_EQ(type.Fee, 5);
    EXPECT_EQ(type.Punish, 3);
    EXPECT_EQ(type.T_Day, 0);
    EXPECT_EQ(type.T_Sum, Currency());
    EXPECT_EQ(type.T_Num, 0);
    EXPECT_EQ(type.Days, 3);
    fields.punishIndex = 0;
    Apply(type, fields);
    EXPECT_EQ(type.Punish, 1);

    // Shown again: the second page with "不处罚", or the first page with every field.
    TAtorTypeFields shown = Read(type);
    EXPECT_TRUE(shown.prepaid);
    EXPECT_EQ(shown.punishIndex, 0);
    type.Punish = 3;
    EXPECT_EQ(Read(type).punishIndex, 1);
    type.Fee = 3;
    type.Punish = 2;
    type.T_Sum = Money("12.5");
    shown = Read(type);
    EXPECT_FALSE(shown.prepaid);
    EXPECT_EQ(shown.feeIndex, 2);
    EXPECT_EQ(shown.punishIndex, 1);
    EXPECT_EQ(shown.tSum, QStringLiteral("12.50"));
}

TEST_F(MembersTest, ADiscCategoryHangsOnlyUnderATopLevelOneAndOnlyWithoutChildren) {
    // The blank ledger: 电影 (1) with 动作片 … 科幻片 (5–8) below it, 电视剧 (2)
    // with 国产剧 and 港台剧 (9, 10), 动画片 (3), 综艺/音乐 (4).
    const QList<int> all = ChoiceIds(TTree::Disc, -1);
    EXPECT_EQ(all, (QList<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(CategoryParents::Choices(TTree::Disc, -1).first().name, QStringLiteral("无从属分类"));
    EXPECT_EQ(ChoiceIds(TTree::Disc, 3), (QList<int>{0, 1, 2, 4}));

    TCdCategoryFields fields{QStringLiteral("动画片"), 3, QString()};
    EXPECT_EQ(Refusal(Check(3, fields)),
              QStringLiteral("cbSubId 不能把分类自己选为它的“所属分类”，请重新选择。"));
    fields.subId = 5; // not a top-level category
    EXPECT_EQ(Refusal(Check(3, fields)),
              QStringLiteral("cbSubId 所选的“所属分类”已经被删除或修改，请重新选择。"));
    fields.subId = 1;
    EXPECT_FALSE(Check(3, fields).has_value());
    fields.name = QStringLiteral("电影");
    EXPECT_EQ(Refusal(Check(3, fields)),
              QStringLiteral("edName “\"电影\"”名称已经存在，请重新输入。"));

    // 电视剧 has categories below it: moved under another one, they would sit
    // on a third level that a search by category does not reach.
    EXPECT_EQ(ChoiceIds(TTree::Disc, 2), (QList<int>{0}));
    TCdCategoryFields series{QStringLiteral("电视剧"), 1, QString()};
    EXPECT_EQ(Refusal(Check(2, series)),
              QStringLiteral("cbSubId 此分类下面还有从属分类，不能再把它放到其他分类下面。"));
    series.subId = 0;
    EXPECT_FALSE(Check(2, series).has_value());
}

TEST_F(MembersTest, AnIncomeCategoryCannotHangUnderItselfOrBelowItself) {
    // 其他收入 (26) ← 利息 ← 存款利息; 房租 (27) stays apart.
    auto add = [&](const char* name, int subId) {
        TCategory category;
        Apply(category, TCategoryFields{QString::fromUtf8(name), QString(), subId, 2, QString()});
        category.Save();
        return category.Id;
    };
    const int interest = add("利息", 26);
    const int deposit = add("存款利息", interest);
    EXPECT_EQ(Column("TbCategory", interest, "Flag"), QStringLiteral("5"));
    EXPECT_EQ(Column("TbCategory", interest, "Spell"), QStringLiteral("LX"));

    EXPECT_EQ(ChoiceIds(TTree::Money, 26), (QList<int>{0, 27, 28, 29}));
    EXPECT_EQ(ChoiceIds(TTree::Money, deposit), (QList<int>{0, 26, 27, 28, 29, interest}));

    TCategoryFields fields = {QStringLiteral("其他收入"), QStringLiteral("x"), 26, 2, QString()};
    EXPECT_EQ(Refusal(Check(26, fields)),
              QStringLiteral("cbSubId 不能把分类自己选为它的“所属分类”，请重新选择。"));
    for (const int below : {interest, deposit}) {
        fields.subId = below;
        EXPECT_EQ(
            Refusal(Check(26, fields)),
            QStringLiteral("cbSubId 不能把此分类下的从属分类选为它的“所属分类”，请重新选择。"));
    }
    fields.subId = 1; // a system kind is never a parent
    EXPECT_EQ(Refusal(Check(26, fields)),
              QStringLiteral("cbSubId 所选的“所属分类”已经被删除或修改，请重新选择。"));
    fields.subId = 27;
    EXPECT_FALSE(Check(26, fields).has_value());
    fields.parentText.clear();
    EXPECT_EQ(Refusal(Check(26, fields)),
              QStringLiteral("cbSubId 请先在“系统设置”中添加“所属分类”才能使用此功能。"));

    // A loop already in the ledger does not hang the walk.
    dm_->ExecSql(QStringLiteral("UPDATE TbCategory SET SubId=%1 WHERE Id=26").arg(deposit));
    EXPECT_EQ(ChoiceIds(TTree::Money, 27), (QList<int>{0, 26, 28, 29, interest, deposit}));
}

TEST_F(MembersTest, ASystemCategoryIsNeitherEditedNorStored) {
    prompter_.Clear();
    EXPECT_FALSE(CategoryParents::CheckEditable(1));
    EXPECT_EQ(prompter_.Texts(TScriptedPrompter::Kind::Warning),
              QStringList{QStringLiteral("系统业务分类不能修改。")});
    EXPECT_TRUE(CategoryParents::CheckEditable(26));
    EXPECT_TRUE(CategoryParents::CheckEditable(-1));
    const TCategoryFields fields = {QStringLiteral("改名"), QStringLiteral("无从属分类"), 0, 0,
                                    QString()};
    EXPECT_EQ(Refusal(Check(1, fields)), QStringLiteral(" 系统业务分类不能修改。"));
}
