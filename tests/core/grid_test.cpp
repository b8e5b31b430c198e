#include "core/grid.h"

#include <gtest/gtest.h>

namespace gs {
namespace {

// Panels set a column's alignment before they know how many columns the
// view will have; the setting must hold once the grid grows to it.
TEST(GridModel, AnAlignmentSetPastTheLastColumnHoldsWhenTheGridGrows) {
    GridModel grid;
    grid.reset(1, 2);
    grid.setColumnAlign(2, Align::Right);
    EXPECT_EQ(grid.columnAlign(1), Align::Left);
    EXPECT_EQ(grid.columnAlign(2), Align::Right);
    grid.reset(1, 3);
    EXPECT_EQ(grid.columnAlign(2), Align::Right);
    EXPECT_EQ(grid.columnAlign(3), Align::Left);
}

} // namespace
} // namespace gs
