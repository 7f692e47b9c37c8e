#pragma once

#include <QDate>
#include <QString>
#include <QStringList>
#include <cstdint>

namespace Terminal {

// krt-terminal [options]
//   --headless           no window; the offscreen platform (also without a display)
//   --offscreen          the main window, drawn off screen (no display needed)
//   --screenshot DIR     write a picture of every tool window and dialog to DIR and exit
//                        (drawn off screen)
//   --fresh              start with the default layout; the saved one is kept until the user
//                        changes the arrangement
//   --workdir DIR        the working folder (default: the program's folder, so ../cfg is found)
//   --journal FILE       append every order, cancel, conditional order and combination
//                        request to FILE as JSON lines
//   --auto-confirm       confirm combination pages and order confirmations at once
//   --seed N             seed of the simulated market (default 1)
//   --scripted           a still market: prices move only when something trades
//   --trading-day DATE   the simulated trading day, YYYY-MM-DD (default today)
//   --quit-after SECONDS quit after that long
//   --accounts           print one JSON line per logged-in account and exit
//   --component-info     load the component, print its description record as one JSON line
//                        and exit
struct CommandLine {
    bool headless = false;
    bool offscreen = false;
    QString screenshotDir;
    bool fresh = false;
    QString workDir;
    QString journal;
    bool autoConfirm = false;
    uint64_t seed = 1;
    bool scripted = false;
    QDate tradingDay;              // invalid: today
    double quitAfterSeconds = -1;  // negative: run until stopped
    bool accounts = false;
    bool componentInfo = false;
    bool help = false;
    QString error;  // non-empty when the arguments could not be read
};

CommandLine ParseCommandLine(const QStringList& arguments);
QString Usage();

// How the terminal shows itself; decided before the application object exists, as it picks the
// platform.
enum class Presentation {
    Windowed,   // the main window on the display
    Offscreen,  // the main window, drawn off screen: --offscreen, --screenshot
    Headless,   // no window: --headless, --accounts, --component-info, or no display at all
};
Presentation PresentationOf(int argc, char** argv);

}  // namespace Terminal
