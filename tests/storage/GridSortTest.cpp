#include "storage/GridSort.h"

#include <gtest/gtest.h>

namespace {

TGridSort Grid() {
    return TGridSort({QStringLiteral("Code"), QString(), QStringLiteral("Name")});
}

} // namespace

TEST(GridSort, UnmarkedGridSortsItsFirstColumnAscending) {
    const TGridSort grid = Grid();
    EXPECT_EQ(grid.SortedColumn(), 0);
    EXPECT_EQ(grid.OrderBy(), QStringLiteral(" ORDER BY Code ASC"));
    // A column without a field sorts by Day, and so does an empty grid.
    EXPECT_EQ(grid.SortField(1), QStringLiteral("Day"));
    EXPECT_EQ(TGridSort().OrderBy(), QStringLiteral(" ORDER BY Day ASC"));
}

TEST(GridSort, HeaderClicksToggleOneColumnAndClearTheOthers) {
    TGridSort grid = Grid();
    EXPECT_EQ(grid.ToggleSort(2), QStringLiteral("ASC"));
    EXPECT_EQ(grid.OrderBy(), QStringLiteral(" ORDER BY Name ASC"));
    EXPECT_EQ(grid.ToggleSort(2), QStringLiteral("DESC"));
    EXPECT_EQ(grid.OrderBy(), QStringLiteral(" ORDER BY Name DESC"));
    EXPECT_EQ(grid.ToggleSort(2), QStringLiteral("ASC"));

    grid.ToggleSort(2); // descending again
    EXPECT_EQ(grid.ToggleSort(1), QStringLiteral("ASC"));
    EXPECT_EQ(grid.Mark(2), TGridSort::TMark::None);
    EXPECT_EQ(grid.SortedColumn(), 1);
    EXPECT_EQ(grid.OrderBy(), QStringLiteral(" ORDER BY Day ASC"));

    // A click outside the grid changes nothing.
    EXPECT_EQ(grid.ToggleSort(7), QStringLiteral("ASC"));
    EXPECT_EQ(grid.SortedColumn(), 1);
}

TEST(GridSort, ARestoredMarkIsTheOnlyOne) {
    TGridSort grid = Grid();
    grid.SetMark(0, TGridSort::TMark::Ascending);
    grid.SetMark(2, TGridSort::TMark::Descending);
    EXPECT_EQ(grid.Mark(0), TGridSort::TMark::None);
    EXPECT_EQ(grid.SortedColumn(), 2);
    EXPECT_EQ(grid.SortDirection(2), QStringLiteral("DESC"));
    EXPECT_EQ(grid.SortDirection(0), QStringLiteral("ASC"));
    EXPECT_EQ(grid.ToggleSort(0), QStringLiteral("ASC"));
    EXPECT_EQ(grid.OrderBy(), QStringLiteral(" ORDER BY Code ASC"));
}
