#include "host/CommandLine.h"

#include <QCommandLineParser>
#include <cstring>
#include <initializer_list>

namespace Terminal {

namespace {

const QCommandLineOption kHeadless(QStringLiteral("headless"));
const QCommandLineOption kOffscreen(QStringLiteral("offscreen"));
const QCommandLineOption kScreenshot(QStringLiteral("screenshot"), QString(), QStringLiteral("DIR"));
const QCommandLineOption kFresh(QStringLiteral("fresh"));
const QCommandLineOption kWorkDir(QStringLiteral("workdir"), QString(), QStringLiteral("DIR"));
const QCommandLineOption kJournal(QStringLiteral("journal"), QString(), QStringLiteral("FILE"));
const QCommandLineOption kAutoConfirm(QStringLiteral("auto-confirm"));
const QCommandLineOption kSeed(QStringLiteral("seed"), QString(), QStringLiteral("N"));
const QCommandLineOption kScripted(QStringLiteral("scripted"));
const QCommandLineOption kTradingDay(QStringLiteral("trading-day"), QString(), QStringLiteral("YYYY-MM-DD"));
const QCommandLineOption kQuitAfter(QStringLiteral("quit-after"), QString(), QStringLiteral("SECONDS"));
const QCommandLineOption kAccounts(QStringLiteral("accounts"));
const QCommandLineOption kComponentInfo(QStringLiteral("component-info"));
const QCommandLineOption kHelp(QStringList{QStringLiteral("help"), QStringLiteral("h")});

}  // namespace

QString Usage() {
    return QStringLiteral(
        "usage: krt-terminal [--headless | --offscreen] [--screenshot DIR] [--fresh] [--workdir DIR]\n"
        "                    [--journal FILE] [--auto-confirm] [--seed N] [--scripted]\n"
        "                    [--trading-day YYYY-MM-DD]\n"
        "                    [--quit-after SECONDS] [--accounts] [--component-info]\n");
}

CommandLine ParseCommandLine(const QStringList& arguments) {
    CommandLine line;
    QCommandLineParser parser;
    parser.addOptions({kHeadless, kOffscreen, kScreenshot, kFresh, kWorkDir, kJournal, kAutoConfirm, kSeed,
                       kScripted, kTradingDay, kQuitAfter, kAccounts, kComponentInfo, kHelp});
    if (!parser.parse(arguments)) {
        line.error = parser.errorText();
        return line;
    }
    if (!parser.positionalArguments().isEmpty()) {
        line.error = QStringLiteral("unexpected argument: %1").arg(parser.positionalArguments().first());
        return line;
    }
    line.headless = parser.isSet(kHeadless);
    line.offscreen = parser.isSet(kOffscreen);
    line.screenshotDir = parser.value(kScreenshot);
    if (line.headless && (line.offscreen || parser.isSet(kScreenshot))) {
        line.error = QStringLiteral("--headless shows no window to draw or picture");
        return line;
    }
    if (parser.isSet(kScreenshot) && line.screenshotDir.isEmpty()) {
        line.error = QStringLiteral("--screenshot needs a folder");
        return line;
    }
    line.fresh = parser.isSet(kFresh);
    line.workDir = parser.value(kWorkDir);
    line.journal = parser.value(kJournal);
    line.autoConfirm = parser.isSet(kAutoConfirm);
    line.scripted = parser.isSet(kScripted);
    line.accounts = parser.isSet(kAccounts);
    line.componentInfo = parser.isSet(kComponentInfo);
    line.help = parser.isSet(kHelp);
    if (parser.isSet(kSeed)) {
        bool ok = false;
        line.seed = parser.value(kSeed).toULongLong(&ok);
        if (!ok) {
            line.error = QStringLiteral("--seed needs a non-negative integer");
        }
    }
    if (parser.isSet(kTradingDay)) {
        line.tradingDay = QDate::fromString(parser.value(kTradingDay), QStringLiteral("yyyy-MM-dd"));
        if (!line.tradingDay.isValid()) {
            line.error = QStringLiteral("--trading-day needs a date YYYY-MM-DD");
        }
    }
    if (parser.isSet(kQuitAfter)) {
        bool ok = false;
        line.quitAfterSeconds = parser.value(kQuitAfter).toDouble(&ok);
        if (!ok || line.quitAfterSeconds < 0) {
            line.error = QStringLiteral("--quit-after needs a number of seconds");
        }
    }
    return line;
}

Presentation PresentationOf(int argc, char** argv) {
    auto given = [argc, argv](std::initializer_list<const char*> flags) {
        for (int i = 1; i < argc; ++i) {
            for (const char* flag : flags) {
                const size_t length = std::strlen(flag);
                if (std::strncmp(argv[i], flag, length) == 0 &&
                    (argv[i][length] == 0 || argv[i][length] == '=')) {
                    return true;
                }
            }
        }
        return false;
    };
    if (given({"--headless", "--accounts", "--component-info"})) {
        return Presentation::Headless;
    }
    if (given({"--offscreen", "--screenshot"})) {
        return Presentation::Offscreen;
    }
    const bool display =
        !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
    return display ? Presentation::Windowed : Presentation::Headless;
}

}  // namespace Terminal
