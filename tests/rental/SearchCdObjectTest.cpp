#include "rental/SearchCdObject.h"
#include "storage/ScriptedPrompter.h"
#include "storage/records/RentCd.h"
#include "storage/records/SaleCd.h"
#include "tests/support/LedgerFixture.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

struct TTitleRow {
    QString code;
    QString name;
    int category = 1;
    int status = TRentCd::InStock;
    int discs = 1;
    QDate day = QDate(2024, 1, 1);
    QString director = {};
    QString player = {};
    QString alias = {};
    QString memo = {};
};

class SearchCdObjectTest : public LedgerTest {
protected:
    void SetUp() override {
        LedgerTest::SetUp();
        scope_ = std::make_unique<TPrompterScope>(prompter_);
    }
    void TearDown() override {
        scope_.reset();
        LedgerTest::TearDown();
    }

    template <class TTitle> static void Fill(TTitle& title, const TTitleRow& row) {
        title.Code = row.code;
        title.Name = row.name;
        title.CId = row.category;
        title.Day = row.day;
        title.Director = row.director;
        title.Player = row.player;
        title.Alias1 = row.alias;
        title.Memo = row.memo;
    }
    void AddRent(const TTitleRow& row) {
        TRentCd title;
        Fill(title, row);
        title.Status = row.status;
        title.Number = row.discs;
        title.Save();
    }
    void AddSale(const TTitleRow& row) {
        TSaleCd title;
        Fill(title, row);
        title.Number1 = row.discs;
        title.Save();
    }
    int AddCategory(const QString& name, int parent) {
        TCdCategory category;
        category.Name = name;
        category.SubId = parent;
        category.Save();
        return category.Id;
    }
    static QStringList Codes(const TFoundCds& list) {
        QStringList codes;
        for (const TFoundCd& found : list) {
            codes.append(found.Record->Code);
        }
        return codes;
    }
    QStringList FindNames(const QString& typed) {
        search_.NameText = typed;
        search_.Search();
        return Codes(search_.Results);
    }

    TScriptedPrompter prompter_;
    std::unique_ptr<TPrompterScope> scope_;
    TSearchCdObject search_;
};

const QString NoRentedOut = QStringLiteral("该影片目前已经被出租。");

} // namespace

TEST_F(SearchCdObjectTest, ConditionsFollowTheCriteriaInTheirOrder) {
    EXPECT_EQ(search_.BuildSql(), QStringLiteral("SELECT * FROM TbRentCd"));
    search_.CodeText = QStringLiteral("   ");
    EXPECT_EQ(search_.BuildSql(), QStringLiteral("SELECT * FROM TbRentCd"));

    search_.CodeText = QStringLiteral("01");
    search_.NameText = QStringLiteral("少");
    EXPECT_EQ(search_.BuildSql(),
              QStringLiteral("SELECT * FROM TbRentCd WHERE  Code LIKE \"*01*\"  "
                             "AND  Name LIKE \"*少*\" "));

    // Every criterion, given in another order than the query takes them; the
    // text goes in untrimmed.
    search_.DayTo = QDate(2024, 6, 30);
    search_.DayFrom = QDate(2024, 6, 1);
    search_.CategoryId = 5;
    search_.MemoText = QStringLiteral("备注");
    search_.PlayerText = QStringLiteral("周星驰");
    search_.DirectorText = QStringLiteral("李安");
    search_.AliasText = QStringLiteral(" 别名 ");
    search_.SetMode(TSearchCdObject::SaleMode);
    EXPECT_EQ(
        search_.BuildSql(),
        QStringLiteral("SELECT * FROM TbSaleCd WHERE  Code LIKE \"*01*\"  AND  Name LIKE "
                       "\"*少*\"  AND  Alias1 LIKE \"* 别名 *\"  AND  Director LIKE \"*李安*\" "
                       " AND  Player LIKE \"*周星驰*\"  AND  Memo LIKE \"*备注*\"  AND  "
                       "CId=5  AND  Day>=#2024-06-01#  AND  Day<=#2024-06-30# "));

    search_.WithSubCategories = true;
    search_.CodeText.clear();
    search_.NameText.clear();
    search_.AliasText.clear();
    search_.DirectorText.clear();
    search_.PlayerText.clear();
    search_.MemoText.clear();
    search_.DayFrom = QDate();
    search_.DayTo = QDate();
    EXPECT_EQ(search_.BuildSql(),
              QStringLiteral("SELECT * FROM TbSaleCd WHERE  CId IN (SELECT Id FROM TbCdCategory "
                             "WHERE Id=5 OR SubId=5) "));
}

TEST_F(SearchCdObjectTest, TypedQuotesAndWildcardsAreMatchedLiterally) {
    AddRent({QStringLiteral("A1"), QStringLiteral("他说\"好\"")});
    AddRent({QStringLiteral("A2"), QStringLiteral("100%纯")});
    AddRent({QStringLiteral("A3"), QStringLiteral("X*Y")});
    AddRent({QStringLiteral("A4"), QStringLiteral("XzY")});
    AddRent({QStringLiteral("A5"), QStringLiteral("[#1]_?")});
    AddRent({QStringLiteral("A6"), QStringLiteral("a'b")});

    EXPECT_EQ(FindNames(QStringLiteral("\"")), QStringList{QStringLiteral("A1")});
    EXPECT_EQ(FindNames(QStringLiteral("说\"好")), QStringList{QStringLiteral("A1")});
    EXPECT_EQ(FindNames(QStringLiteral("%")), QStringList{QStringLiteral("A2")});
    EXPECT_EQ(FindNames(QStringLiteral("*")), QStringList{QStringLiteral("A3")});
    EXPECT_EQ(FindNames(QStringLiteral("x*y")), QStringList{QStringLiteral("A3")});
    EXPECT_EQ(FindNames(QStringLiteral("?")), QStringList{QStringLiteral("A5")});
    EXPECT_EQ(FindNames(QStringLiteral("[#")), QStringList{QStringLiteral("A5")});
    EXPECT_EQ(FindNames(QStringLiteral("]_")), QStringList{QStringLiteral("A5")});
    EXPECT_EQ(FindNames(QStringLiteral("'")), QStringList{QStringLiteral("A6")});
    // Text that would end the literal and add a condition of its own finds
    // only titles that hold it.
    EXPECT_TRUE(FindNames(QStringLiteral("\" OR Name LIKE \"*")).isEmpty());
    EXPECT_TRUE(prompter_.AllTexts().isEmpty());
}

TEST_F(SearchCdObjectTest, BlankCriteriaListTheWholeTableWithCategoryAndStatus) {
    const int action = AddCategory(QStringLiteral("武侠片"), 1);
    AddRent({QStringLiteral("00001"), QStringLiteral("少林足球"), action, TRentCd::InStock, 2});
    AddRent({QStringLiteral("00002"), QStringLiteral("英雄"), 1, TRentCd::RentedOut});
    AddRent({QStringLiteral("00003"), QStringLiteral("旧片"), 1, TRentCd::WrittenOff});
    AddSale({QStringLiteral("S0001"), QStringLiteral("泰坦尼克号"), 1, 0, 3});

    search_.Search();
    ASSERT_EQ(Codes(search_.Results), (QStringList{QStringLiteral("00001"), QStringLiteral("00002"),
                                                   QStringLiteral("00003")}));
    const TFoundCd& first = search_.Results[0];
    EXPECT_EQ(first.Record->Name, QStringLiteral("少林足球"));
    EXPECT_EQ(first.Record->Category.Name, QStringLiteral("武侠片"));
    EXPECT_EQ(first.Record->Category.Id, action);
    EXPECT_EQ(first.Units(), 2);
    EXPECT_EQ(first.StatusText(), QStringLiteral("未租"));
    EXPECT_EQ(search_.Results[1].StatusText(), QStringLiteral("已租"));
    EXPECT_EQ(search_.Results[2].StatusText(), QStringLiteral("注销"));

    search_.SetMode(TSearchCdObject::SaleMode);
    search_.Search();
    ASSERT_EQ(Codes(search_.Results), QStringList{QStringLiteral("S0001")});
    EXPECT_EQ(search_.Results[0].Rent(), nullptr);
    EXPECT_EQ(search_.Results[0].Units(), 3);
    EXPECT_EQ(search_.Results[0].StatusText(), QString());
    EXPECT_EQ(search_.Results[0].Record->Category.Name, QStringLiteral("电影"));

    // Nothing found: an empty list.
    search_.CodeText = QStringLiteral("无此编号");
    search_.Search();
    EXPECT_TRUE(search_.Results.empty());
}

TEST_F(SearchCdObjectTest, SubCategoriesAreTheDirectOnes) {
    const int sub = AddCategory(QStringLiteral("武侠片"), 1);
    const int subSub = AddCategory(QStringLiteral("新派武侠"), sub);
    AddRent({QStringLiteral("C1"), QStringLiteral("电影"), 1});
    AddRent({QStringLiteral("C2"), QStringLiteral("武侠"), sub});
    AddRent({QStringLiteral("C3"), QStringLiteral("新派"), subSub});
    AddRent({QStringLiteral("C4"), QStringLiteral("电视剧"), 2});

    search_.CategoryId = 1;
    search_.Search();
    EXPECT_EQ(Codes(search_.Results), QStringList{QStringLiteral("C1")});
    search_.WithSubCategories = true;
    search_.Search();
    EXPECT_EQ(Codes(search_.Results), (QStringList{QStringLiteral("C1"), QStringLiteral("C2")}));
    search_.CategoryId = sub;
    search_.Search();
    EXPECT_EQ(Codes(search_.Results), (QStringList{QStringLiteral("C2"), QStringLiteral("C3")}));
}

TEST_F(SearchCdObjectTest, PurchaseDatesLimitByEachFilledEnd) {
    AddRent({QStringLiteral("D1"), QStringLiteral("一"), 1, 1, 1, QDate(2024, 5, 31)});
    AddRent({QStringLiteral("D2"), QStringLiteral("二"), 1, 1, 1, QDate(2024, 6, 1)});
    AddRent({QStringLiteral("D3"), QStringLiteral("三"), 1, 1, 1, QDate(2024, 6, 30)});
    AddRent({QStringLiteral("D4"), QStringLiteral("四"), 1, 1, 1, QDate(2024, 7, 1)});

    search_.DayFrom = QDate(2024, 6, 1);
    search_.DayTo = QDate(2024, 6, 30);
    search_.Search();
    EXPECT_EQ(Codes(search_.Results), (QStringList{QStringLiteral("D2"), QStringLiteral("D3")}));
    search_.DayTo = QDate();
    search_.Search();
    EXPECT_EQ(Codes(search_.Results),
              (QStringList{QStringLiteral("D2"), QStringLiteral("D3"), QStringLiteral("D4")}));
    search_.DayFrom = QDate();
    search_.DayTo = QDate(2024, 6, 1);
    search_.Search();
    EXPECT_EQ(Codes(search_.Results), (QStringList{QStringLiteral("D1"), QStringLiteral("D2")}));
}

TEST_F(SearchCdObjectTest, RentedOutTitlesStayUnticked) {
    AddRent({QStringLiteral("R1"), QStringLiteral("在店"), 1, TRentCd::InStock, 2});
    AddRent({QStringLiteral("R2"), QStringLiteral("已租"), 1, TRentCd::RentedOut, 3});
    AddRent({QStringLiteral("R3"), QStringLiteral("注销"), 1, TRentCd::WrittenOff, 1});
    search_.Search();
    TFoundCds& found = search_.Results;
    EXPECT_TRUE(found[0].Selected);
    EXPECT_FALSE(found[1].Selected);
    EXPECT_TRUE(found[2].Selected);
    EXPECT_EQ(TSearchCdObject::SelectedCount(found), 2);
    EXPECT_EQ(TSearchCdObject::SelectedUnits(found), 3);

    EXPECT_FALSE(search_.SetSelected(found, 1, true));
    EXPECT_FALSE(found[1].Selected);
    EXPECT_EQ(prompter_.Texts(TScriptedPrompter::Kind::Warning), QStringList{NoRentedOut});
    EXPECT_TRUE(search_.SetSelected(found, 1, false));
    EXPECT_TRUE(search_.SetSelected(found, 0, false));
    EXPECT_EQ(TSearchCdObject::SelectedUnits(found), 1);

    search_.ClearAll();
    EXPECT_EQ(TSearchCdObject::SelectedCount(found), 0);
    search_.SelectRows({1, 2});
    EXPECT_FALSE(found[1].Selected);
    EXPECT_TRUE(found[2].Selected);
    search_.SelectAll();
    EXPECT_EQ(TSearchCdObject::SelectedCount(found), 2);
    EXPECT_FALSE(found[1].Selected);
    search_.ClearRows({0, 7});
    EXPECT_EQ(TSearchCdObject::SelectedCount(found), 1);
    EXPECT_EQ(TSearchCdObject::SelectedUnits(found), 1);
    EXPECT_EQ(prompter_.Messages().size(), 1);

    // Sale titles have no rental state: all start ticked and may be ticked.
    AddSale({QStringLiteral("S1"), QStringLiteral("售"), 1, TRentCd::RentedOut, 4});
    search_.SetMode(TSearchCdObject::SaleMode);
    search_.Search();
    EXPECT_TRUE(found[0].Selected);
    EXPECT_TRUE(search_.SetSelected(found, 0, false));
    EXPECT_TRUE(search_.SetSelected(found, 0, true));
    EXPECT_EQ(TSearchCdObject::SelectedUnits(found), 4);
}

TEST_F(SearchCdObjectTest, TheCartTakesTickedResultsAndKeepsEarlierPicks) {
    for (int n = 1; n <= 4; ++n) {
        AddRent(
            {QStringLiteral("M%1").arg(n), QStringLiteral("片%1").arg(n), 1, TRentCd::InStock, n});
    }
    AddRent({QStringLiteral("N1"), QStringLiteral("外"), 1, TRentCd::InStock, 5});
    search_.NameText = QStringLiteral("片");
    search_.Search();
    search_.SetSelected(search_.Results, 1, false);
    search_.MoveToCart();
    // Taken from the last result to the first; the unticked one stays.
    EXPECT_EQ(Codes(search_.Cart),
              (QStringList{QStringLiteral("M4"), QStringLiteral("M3"), QStringLiteral("M1")}));
    EXPECT_EQ(Codes(search_.Results), QStringList{QStringLiteral("M2")});
    EXPECT_EQ(TSearchCdObject::SelectedUnits(search_.Cart), 8);

    search_.NameText = QStringLiteral("外");
    search_.Search();
    search_.MoveToCart();
    EXPECT_TRUE(search_.Results.empty());
    EXPECT_EQ(Codes(search_.Cart), (QStringList{QStringLiteral("M4"), QStringLiteral("M3"),
                                                QStringLiteral("M1"), QStringLiteral("N1")}));

    // Only the ticked cart titles go back to the desk; switching the mode
    // keeps the cart.
    search_.SetSelected(search_.Cart, 1, false);
    search_.SetMode(TSearchCdObject::SaleMode);
    EXPECT_EQ(search_.CartCodes(),
              (QStringList{QStringLiteral("M4"), QStringLiteral("M1"), QStringLiteral("N1")}));
    EXPECT_EQ(TSearchCdObject::SelectedCount(search_.Cart), 3);
    EXPECT_EQ(TSearchCdObject::SelectedUnits(search_.Cart), 10);
}
