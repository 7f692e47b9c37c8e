// How the terminal decides to show itself: a window, a window drawn off screen, or none.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "host/CommandLine.h"

namespace {

using Terminal::Presentation;

// Runs with DISPLAY set as given (WAYLAND_DISPLAY unset), restoring both afterwards.
Presentation PresentationWith(const char* display, std::vector<const char*> arguments) {
    const QByteArray savedDisplay = qgetenv("DISPLAY");
    const QByteArray savedWayland = qgetenv("WAYLAND_DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");
    if (display) {
        qputenv("DISPLAY", display);
    } else {
        qunsetenv("DISPLAY");
    }
    arguments.insert(arguments.begin(), "krt-terminal");
    const Presentation presentation =
        Terminal::PresentationOf(int(arguments.size()), const_cast<char**>(arguments.data()));
    for (const auto& [name, value] :
         {std::pair{"DISPLAY", savedDisplay}, {"WAYLAND_DISPLAY", savedWayland}}) {
        if (value.isEmpty()) {
            qunsetenv(name);
        } else {
            qputenv(name, value);
        }
    }
    return presentation;
}

TEST(PresentationTest, AWindowOnADisplayOffScreenWhenAskedAndNoneWithoutADisplay) {
    EXPECT_EQ(PresentationWith(":0", {}), Presentation::Windowed);
    EXPECT_EQ(PresentationWith(nullptr, {}), Presentation::Headless)
        << "make run on a machine without a screen";
    EXPECT_EQ(PresentationWith(nullptr, {"--offscreen"}), Presentation::Offscreen);
    EXPECT_EQ(PresentationWith(":0", {"--screenshot", "/tmp/x"}), Presentation::Offscreen);
    EXPECT_EQ(PresentationWith(nullptr, {"--screenshot=/tmp/x"}), Presentation::Offscreen);
    EXPECT_EQ(PresentationWith(":0", {"--headless"}), Presentation::Headless);
    EXPECT_EQ(PresentationWith(":0", {"--accounts"}), Presentation::Headless);
    EXPECT_EQ(PresentationWith(":0", {"--screenshots-elsewhere"}), Presentation::Windowed)
        << "a flag is matched whole";
}

TEST(PresentationTest, AScreenshotNeedsAFolderAndAWindow) {
    EXPECT_TRUE(Terminal::ParseCommandLine({"krt-terminal", "--screenshot", "/tmp/x"}).error.isEmpty());
    EXPECT_EQ(Terminal::ParseCommandLine({"krt-terminal", "--screenshot", "/tmp/x"}).screenshotDir,
              QStringLiteral("/tmp/x"));
    EXPECT_FALSE(Terminal::ParseCommandLine({"krt-terminal", "--screenshot"}).error.isEmpty());
    EXPECT_FALSE(
        Terminal::ParseCommandLine({"krt-terminal", "--headless", "--screenshot", "/tmp/x"}).error.isEmpty());
}

}  // namespace
