#pragma once

#include <gtest/gtest.h>

#include <functional>

// Runs the event loop until the condition holds or five seconds pass; false on the timeout.
bool WaitUntil(const std::function<bool()>& condition);

// Waits for a value the event loop brings, then checks it the GoogleTest way. (Qt's QTRY_*
// macros report a failure by returning from the function, which GoogleTest never sees.)
#define EXPECT_EVENTUALLY_EQ(actual, expected)             \
    do {                                                   \
        WaitUntil([&] { return (actual) == (expected); }); \
        EXPECT_EQ(actual, expected);                       \
    } while (0)
#define EXPECT_EVENTUALLY_TRUE(condition)                                \
    do {                                                                 \
        EXPECT_TRUE(WaitUntil([&] { return condition; })) << #condition; \
    } while (0)
