#include "option/valuation/HisVolatility.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// A fresh working folder for the test, left again (and removed) at the end.
class WorkingFolder {
public:
    WorkingFolder() : m_previous(fs::current_path()) {
        m_folder = fs::temp_directory_path() / ("krt_hisvol_" + std::to_string(::getpid()));
        fs::create_directories(m_folder);
        fs::current_path(m_folder);
    }
    ~WorkingFolder() {
        fs::current_path(m_previous);
        std::error_code ignored;
        fs::remove_all(m_folder, ignored);
    }

    // Puts a library in the folder as "libControl.so", or takes it away with an empty source.
    // A new file each time, never one overwritten in place, as a loaded library stays mapped.
    void PlaceLibrary(const fs::path& source) {
        fs::remove(m_folder / "libControl.so");
        if (!source.empty()) {
            fs::copy_file(source, m_folder / "libControl.so");
        }
    }

private:
    fs::path m_previous;
    fs::path m_folder;
};

}  // namespace

// One story, because the entry point, once found, is kept for the rest of the process.
TEST(HisVolatilityProvider, AnswersTheDefaultUntilTheLibraryIsFoundThenKeepsIt) {
    WorkingFolder folder;
    Kora::Interface::QuoteKey underlying;
    underlying.marketId = 7;
    underlying.code = QStringLiteral("IF2406");

    // No library at all.
    EXPECT_EQ(OptionPricing::CalcHisVolatility(underlying, 0.0), 0.0);
    EXPECT_EQ(OptionPricing::CalcHisVolatility(underlying, 0.5), 0.5);

    // A library without the entry point.
    folder.PlaceLibrary(HISVOL_WITHOUT_ENTRY);
    EXPECT_EQ(OptionPricing::CalcHisVolatility(underlying, 0.5), 0.5);

    // The right library arrives: found on this later try. The key and the default reach it;
    // without a host there is no service to hand over.
    folder.PlaceLibrary(HISVOL_WITH_ENTRY);
    EXPECT_DOUBLE_EQ(OptionPricing::CalcHisVolatility(underlying, 0.5), 0.5 + 0.25 + 0.007);
    underlying.marketId = 9;
    EXPECT_DOUBLE_EQ(OptionPricing::CalcHisVolatility(underlying, 0.0), 0.25 + 0.009);

    // Kept for the life of the process, even when the file goes away.
    folder.PlaceLibrary({});
    EXPECT_DOUBLE_EQ(OptionPricing::CalcHisVolatility(underlying, 0.0), 0.25 + 0.009);
}
