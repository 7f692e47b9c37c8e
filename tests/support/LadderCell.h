#pragma once

#include <gtest/gtest.h>

#include <QPoint>
#include <algorithm>

// The centre of a price ladder's cell in its viewport, the price's row scrolled to mid-page
// first when it is off the page. `Ladder` is a futures or option quick-mouse ladder.
template <class Ladder>
QPoint LadderCell(Ladder& ladder, double price, int column) {
    const int row = ladder.Model().Scale().RowOf(price);
    EXPECT_GE(row, 0) << price;
    if (row < ladder.TopIndex() || row >= ladder.TopIndex() + ladder.CountPerPage()) {
        ladder.ScrollRowToTop(std::max(0, row - ladder.CountPerPage() / 2));
    }
    return ladder.CellRect(row, column).center();
}
