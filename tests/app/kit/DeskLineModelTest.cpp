#include "app/kit/DeskLineModel.h"

#include "storage/Currency.h"
#include "storage/ScriptedPrompter.h"
#include "storage/dao/Errors.h"

#include <QDate>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

using Kind = TScriptedPrompter::Kind;

// An engine of the kind the sales desk and the disc search have: lines with a
// tick that may be refused (a title out with a renter) and a price edited
// through a check that may refuse or fail.
struct TLine {
    bool selected = false;
    bool locked = false; // stays unticked
    QString code;
    QDate day;
    Currency price;
};

class DeskLineModelTest : public ::testing::Test {
protected:
    DeskLineModelTest() {
        lines_ = {
            {true, false, QStringLiteral("S0001"), QDate(2024, 6, 15), Currency::FromWhole(25)},
            {false, true, QStringLiteral("S0002"), QDate(2024, 6, 1), Currency::FromRaw(12345)}};
        TDeskLineSource source;
        source.count = [this] { return int(lines_.size()); };
        source.value = [this](int line, int column) -> QVariant {
            const TLine& l = lines_[line];
            return column == 1   ? QVariant(l.code)
                   : column == 2 ? QVariant(l.day)
                                 : QVariant::fromValue(l.price);
        };
        source.ticked = [this](int line) { return lines_[line].selected; };
        source.tick = [this](int line, bool on) {
            ++ticks_;
            lines_[line].selected = on && !lines_[line].locked;
        };
        source.editable = [](int, int column) { return column == 3; };
        source.edit = [this](int line, int, const QString& text) {
            if (text == QLatin1String("fail")) {
                throw EVintorError(QStringLiteral("金额超出范围。"));
            }
            const std::optional<Currency> price = Currency::Parse(text);
            if (!price) {
                ShowError(QStringLiteral("“单价”输入不正确，请重新输入。"));
                return false;
            }
            lines_[line].price = *price;
            return true;
        };
        model_ = std::make_unique<TDeskLineModel>(
            QList<TGridColumn>{{QString(), QStringLiteral("Selected"), TCellKind::Tick},
                               {QStringLiteral("编号"), QStringLiteral("Code")},
                               {QStringLiteral("日期"), QStringLiteral("Day"), TCellKind::Date},
                               {QStringLiteral("单价"), QStringLiteral("Price"), TCellKind::Money}},
            source);
    }

    QModelIndex At(int row, int column) const { return model_->index(row, column); }

    TScriptedPrompter prompter_;
    TPrompterScope scope_{prompter_};
    QList<TLine> lines_;
    int ticks_ = 0;
    std::unique_ptr<TDeskLineModel> model_;
};

} // namespace

TEST_F(DeskLineModelTest, OnlyBoxesThatDifferGoToTheEngineAndARefusalShows) {
    QSignalSpy ticked(model_.get(), &TDeskLineModel::Ticked);
    EXPECT_EQ(model_->TickAll(true), 1); // the first line is ticked already
    EXPECT_EQ(ticks_, 1);
    EXPECT_EQ(At(1, 0).data(Qt::CheckStateRole).toInt(), Qt::Unchecked); // refused
    EXPECT_EQ(ticked.count(), 1);

    EXPECT_EQ(model_->TickLines({0, 1}, false), 1);
    EXPECT_FALSE(lines_[0].selected);
    EXPECT_EQ(model_->TickLines({0, 7}, false), 0); // nothing to send, nothing told
    EXPECT_EQ(ticked.count(), 2);

    EXPECT_TRUE(model_->setData(At(0, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_TRUE(lines_[0].selected);
}

TEST_F(DeskLineModelTest, EditsGoThroughTheEngineWhichMayRefuseOrFail) {
    QSignalSpy edited(model_.get(), &TDeskLineModel::Edited);
    EXPECT_TRUE(model_->flags(At(0, 3)) & Qt::ItemIsEditable);
    EXPECT_EQ(At(1, 3).data().toString(), QStringLiteral("1.23"));
    EXPECT_TRUE(model_->setData(At(0, 3), QStringLiteral("19.5")));
    EXPECT_EQ(At(0, 3).data().toString(), QStringLiteral("19.50"));

    EXPECT_FALSE(model_->setData(At(0, 3), QStringLiteral("1.2.3")));
    EXPECT_FALSE(model_->setData(At(0, 3), QStringLiteral("fail")));
    EXPECT_EQ(prompter_.Texts(Kind::Error),
              (QStringList{QStringLiteral("“单价”输入不正确，请重新输入。"),
                           QStringLiteral("金额超出范围。")}));
    EXPECT_EQ(At(0, 3).data().toString(), QStringLiteral("19.50")); // as the engine holds it
    EXPECT_EQ(edited.count(), 3);

    EXPECT_FALSE(model_->setData(At(0, 1), QStringLiteral("X"))); // not editable
    EXPECT_EQ(lines_[0].code, QStringLiteral("S0001"));
}
