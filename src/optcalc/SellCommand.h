#pragma once

// krt-optcalc sell PUT TYPE STYLE S K SIGMA_H R DAYS PRICE QTY DECIMALS: the seller analysis of
// the trading tools, with its default ladder, printed on stdout. False (nothing printed) when
// the arguments are not understood.
bool RunSellCommand(char** args, int count);
