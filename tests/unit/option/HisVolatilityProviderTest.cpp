#include "option/valuation/HisVolatility.h"

#include <gtest/gtest.h>

#include <QFile>

#include "support/OwnWorkingFolder.h"

// One story, because the entry point, once found, is kept for the rest of the process.
TEST(HisVolatilityProvider, AnswersTheDefaultUntilTheLibraryIsFoundThenKeepsIt) {
    const OwnWorkingFolder folder;
    // A new file each time, never one overwritten in place, as a loaded library stays mapped.
    auto placeLibrary = [](const char* source) {
        QFile::remove("libControl.so");
        return !source || QFile::copy(source, "libControl.so");
    };
    Kora::Interface::QuoteKey underlying;
    underlying.marketId = 7;
    underlying.code = QStringLiteral("IF2406");

    // No library at all.
    EXPECT_EQ(OptionPricing::CalcHisVolatility(underlying, 0.0), 0.0);
    EXPECT_EQ(OptionPricing::CalcHisVolatility(underlying, 0.5), 0.5);

    // A library without the entry point.
    ASSERT_TRUE(placeLibrary(HISVOL_WITHOUT_ENTRY));
    EXPECT_EQ(OptionPricing::CalcHisVolatility(underlying, 0.5), 0.5);

    // The right library arrives: found on this later try. The key and the default reach it;
    // without a host there is no service to hand over.
    ASSERT_TRUE(placeLibrary(HISVOL_WITH_ENTRY));
    EXPECT_DOUBLE_EQ(OptionPricing::CalcHisVolatility(underlying, 0.5), 0.5 + 0.25 + 0.007);
    underlying.marketId = 9;
    EXPECT_DOUBLE_EQ(OptionPricing::CalcHisVolatility(underlying, 0.0), 0.25 + 0.009);

    // Kept for the life of the process, even when the file goes away.
    placeLibrary(nullptr);
    EXPECT_DOUBLE_EQ(OptionPricing::CalcHisVolatility(underlying, 0.0), 0.25 + 0.009);
}
