#include "host/CommandLine.h"

#include <QCommandLineParser>
#include <cstring>

namespace Terminal {

namespace {

const QCommandLineOption kHeadless(QStringLiteral("headless"));
const QCommandLineOption kWorkDir(QStringLiteral("workdir"), QString(), QStringLiteral("DIR"));
const QCommandLineOption kJournal(QStringLiteral("journal"), QString(), QStringLiteral("FILE"));
const QCommandLineOption kAutoConfirm(QStringLiteral("auto-confirm"));
const QCommandLineOption kSeed(QStringLiteral("seed"), QString(), QStringLiteral("N"));
const QCommandLineOption kScripted(QStringLiteral("scripted"));
const QCommandLineOption kQuitAfter(QStringLiteral("quit-after"), QString(), QStringLiteral("SECONDS"));
const QCommandLineOption kAccounts(QStringLiteral("accounts"));
const QCommandLineOption kComponentInfo(QStringLiteral("component-info"));
const QCommandLineOption kHelp(QStringList{QStringLiteral("help"), QStringLiteral("h")});

}  // namespace

QString Usage() {
    return QStringLiteral(
        "usage: krt-terminal [--headless] [--workdir DIR] [--journal FILE] [--auto-confirm] [--seed N]\n"
        "                    [--scripted] [--quit-after SECONDS] [--accounts] [--component-info]\n");
}

CommandLine ParseCommandLine(const QStringList& arguments) {
    CommandLine line;
    QCommandLineParser parser;
    parser.addOptions({kHeadless, kWorkDir, kJournal, kAutoConfirm, kSeed, kScripted, kQuitAfter, kAccounts,
                       kComponentInfo, kHelp});
    if (!parser.parse(arguments)) {
        line.error = parser.errorText();
        return line;
    }
    if (!parser.positionalArguments().isEmpty()) {
        line.error = QStringLiteral("unexpected argument: %1").arg(parser.positionalArguments().first());
        return line;
    }
    line.headless = parser.isSet(kHeadless);
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
    if (parser.isSet(kQuitAfter)) {
        bool ok = false;
        line.quitAfterSeconds = parser.value(kQuitAfter).toDouble(&ok);
        if (!ok || line.quitAfterSeconds < 0) {
            line.error = QStringLiteral("--quit-after needs a number of seconds");
        }
    }
    return line;
}

bool RunsHeadless(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        for (const char* flag : {"--headless", "--accounts", "--component-info"}) {
            if (std::strcmp(argv[i], flag) == 0) {
                return true;
            }
        }
    }
    return qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

}  // namespace Terminal
