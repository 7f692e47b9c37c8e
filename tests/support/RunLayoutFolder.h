#pragma once

#include <gtest/gtest.h>

#include <QDir>

// Makes the run layout's bin folder the working folder before the tests start: the tools read
// their images relative to it (Skins/...), as in the terminal. Register it once per program:
//
//   [[maybe_unused]] auto* const kRunLayout = ::testing::AddGlobalTestEnvironment(new RunLayoutFolder);
class RunLayoutFolder : public ::testing::Environment {
public:
    void SetUp() override {
        const QByteArray bin = qgetenv("KRT_DIST_BIN");
        ASSERT_FALSE(bin.isEmpty()) << "KRT_DIST_BIN names the run layout's bin folder";
        ASSERT_TRUE(QDir::setCurrent(QString::fromLocal8Bit(bin)));
    }
};

// The component library of the run layout, as the terminal loads it.
inline QString RunLayoutLibrary() {
    return qEnvironmentVariable("KRT_DIST_BIN") + QStringLiteral("/libKRTTools.so");
}
