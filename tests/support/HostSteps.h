#pragma once

#include <gtest/gtest.h>
#include <json/value.h>

#include <QString>
#include <vector>

#include "host/HostRuntime.h"

// Makes the run layout's program folder (KRT_DIST_BIN) the working folder and loads the component
// library from it, as the terminal does for its users.
::testing::AssertionResult LoadRunLayoutComponent(Terminal::HostRuntime& host);

// Lets the simulated terminal and the windows on it deliver what is pending (host messages and
// pushes, the windows' own posts) until it is quiet.
void SettleHostAndWindows(Terminal::HostRuntime& host);

// The journal's entries of a kind ("Order", "Cancel", "Combination", ...), oldest first.
std::vector<Json::Value> JournalOf(const Terminal::HostRuntime& host, const QString& kind);

// An option of an underlying's nearest month by its place in the chain (ascending strike, the
// call before the put). Underlyings in listing order: 0 the commodity future (m2408), 1 the fund
// (510050). Throws for a place the chain does not have.
const Terminal::Market::Instrument& NearMonthOption(Terminal::HostRuntime& host, size_t underlying,
                                                    size_t place);
