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
