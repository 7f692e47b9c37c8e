#pragma once

// The board's columns, left to right: "认购买", "认购卖", "行权价", "认沽买", "认沽卖". Column
// parity decides the side of a cell: on the call side an even column buys and an odd one sells;
// on the put side an odd column buys and an even one sells.
namespace OptionBoard {

enum Column { kCallBuy = 0, kCallSell = 1, kStrike = 2, kPutBuy = 3, kPutSell = 4, kColumnCount = 5 };

inline bool IsPutColumn(int column) {
    return column > kStrike;
}

inline bool IsSellColumn(int column) {
    return IsPutColumn(column) ? column % 2 == 0 : column % 2 == 1;
}

}  // namespace OptionBoard
