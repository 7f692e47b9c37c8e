#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

namespace Terminal {

// krt-terminal [options]
//   --headless           no window; the offscreen platform (also without a display)
//   --workdir DIR        the working folder (default: the program's folder, so ../cfg is found)
//   --journal FILE       append every order, cancel, conditional order and combination
//                        request to FILE as JSON lines
//   --auto-confirm       confirm combination pages and order confirmations at once
//   --seed N             seed of the simulated market (default 1)
//   --scripted           a still market: prices move only when something trades
//   --quit-after SECONDS quit after that long
//   --accounts           print one JSON line per logged-in account and exit
//   --component-info     load the component, print its description record as one JSON line
//                        and exit
struct CommandLine {
    bool headless = false;
    QString workDir;
    QString journal;
    bool autoConfirm = false;
    uint64_t seed = 1;
    bool scripted = false;
    double quitAfterSeconds = -1;  // negative: run until stopped
    bool accounts = false;
    bool componentInfo = false;
    bool help = false;
    QString error;  // non-empty when the arguments could not be read
};

CommandLine ParseCommandLine(const QStringList& arguments);
QString Usage();

// Whether the terminal runs without a screen; decided before the application object exists,
// as it picks the platform: --headless, --accounts, --component-info, or no display at all.
bool RunsHeadless(int argc, char** argv);

}  // namespace Terminal
