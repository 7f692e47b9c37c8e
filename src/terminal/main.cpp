// krt-terminal: the simulated host terminal. It serves the trading tools component from a
// simulated market: every service, both message centres, the journal, and the main window that
// docks the component's tool windows. The component is loaded with dlopen() from the program's
// own folder.

#include <QApplication>
#include <QDir>
#include <QTimer>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <memory>

#include "host/CommandLine.h"
#include "host/HeadlessResponders.h"
#include "host/HostRuntime.h"
#include "kora/interface/FieldIds.h"
#include "kora/utility/JsonAccess.h"
#include "ui/LayoutKeeper.h"
#include "ui/MainWindow.h"
#include "ui/ScreenshotSession.h"
#include "ui/TerminalTheme.h"

namespace {

std::atomic<bool> g_stopRequested{false};
QtMessageHandler g_qtMessages = nullptr;

// Drawn off screen, every window-manager request is one the platform "does not support"; those
// warnings say nothing to anyone.
void QuietOffscreenWarnings(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtWarningMsg && text.startsWith(QLatin1String("This plugin does not support"))) {
        return;
    }
    g_qtMessages(type, context, text);
}

void RequestStop(int) {
    g_stopRequested.store(true);
}

void PrintLine(const Json::Value& value) {
    std::printf("%s\n", Kora::Utility::JsonToLine(value).c_str());
}

int PrintAccounts(Terminal::HostRuntime& runtime) {
    for (const Json::Value& account : runtime.Engine().GetLoggedInAccounts()) {
        Json::Value line(Json::objectValue);
        for (const char* key : {"EAccountID", "VAccountID", Field::kAccountText, "Category"}) {
            line[key] = account[key];
        }
        PrintLine(line);
    }
    return 0;
}

int PrintComponentInfo(Terminal::HostRuntime& runtime) {
    if (!runtime.LoadComponentLibrary()) {
        std::fprintf(stderr, "krt-terminal: %s\n", runtime.LastError().toUtf8().constData());
        return 1;
    }
    const Json::Value info = runtime.ComponentInfo();
    runtime.UnloadComponent();
    if (!info.isObject()) {
        std::fprintf(stderr, "krt-terminal: the component offers no tools service\n");
        return 1;
    }
    PrintLine(info);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const Terminal::Presentation presentation = Terminal::PresentationOf(argc, argv);
    const bool headless = presentation == Terminal::Presentation::Headless;
    if (presentation != Terminal::Presentation::Windowed && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (presentation == Terminal::Presentation::Offscreen) {
        g_qtMessages = qInstallMessageHandler(QuietOffscreenWarnings);
    }
    QApplication app(argc, argv);
    const QDir startFolder = QDir::current();

    const Terminal::CommandLine line = Terminal::ParseCommandLine(app.arguments());
    if (!line.error.isEmpty()) {
        std::fprintf(stderr, "krt-terminal: %s\n%s", line.error.toUtf8().constData(),
                     Terminal::Usage().toUtf8().constData());
        return 2;
    }
    if (line.help) {
        std::printf("%s", Terminal::Usage().toUtf8().constData());
        return 0;
    }
    const QString workDir = line.workDir.isEmpty() ? QCoreApplication::applicationDirPath()
                                                   : startFolder.absoluteFilePath(line.workDir);
    if (!QDir::setCurrent(workDir)) {
        std::fprintf(stderr, "krt-terminal: cannot use the working folder %s\n",
                     workDir.toUtf8().constData());
        return 2;
    }
    if (presentation != Terminal::Presentation::Windowed) {
        Terminal::InstallHeadlessResponders();  // no one sees the window to answer it
    }
    if (!headless) {
        Terminal::Ui::Theme::Apply(app);
    }

    Terminal::HostOptions options;
    options.scripted = line.scripted || line.accounts || line.componentInfo;
    options.seed = line.seed;
    options.tradingDay = line.tradingDay;
    options.workDir = workDir;
    options.journalPath = line.journal.isEmpty() ? QString() : startFolder.absoluteFilePath(line.journal);
    options.autoConfirm = line.autoConfirm;
    Terminal::HostRuntime runtime(options);

    if (line.accounts) {
        return PrintAccounts(runtime);
    }
    if (line.componentInfo) {
        return PrintComponentInfo(runtime);
    }

    if (runtime.LoadComponentLibrary()) {
        std::fprintf(stderr, "krt-terminal: component loaded; %s market, seed %llu%s\n",
                     line.scripted ? "scripted" : "live", static_cast<unsigned long long>(line.seed),
                     options.journalPath.isEmpty()
                         ? ""
                         : QStringLiteral(", journal %1").arg(options.journalPath).toUtf8().constData());
    } else {
        std::fprintf(stderr, "krt-terminal: running without the component: %s\n",
                     runtime.LastError().toUtf8().constData());
    }

    std::unique_ptr<Terminal::Ui::MainWindow> window;
    if (!headless) {
        window = std::make_unique<Terminal::Ui::MainWindow>(runtime);
    }
    if (window && !line.screenshotDir.isEmpty()) {
        const int status = Terminal::Ui::ScreenshotSession(runtime, *window,
                                                           startFolder.absoluteFilePath(line.screenshotDir))
                               .Run();
        window.reset();
        runtime.UnloadComponent();
        return status;
    }
    if (window) {
        // Picture runs (above) and headless runs neither read nor write the saved layout.
        auto* layout =
            new Terminal::Ui::LayoutKeeper(runtime, *window, Terminal::Ui::LayoutKeeper::PathFor(workDir));
        if (!line.fresh) {
            layout->Restore();
        }
        window->show();
        layout->Start();
    }

    std::signal(SIGINT, RequestStop);
    std::signal(SIGTERM, RequestStop);
    QTimer stopWatch;
    QObject::connect(&stopWatch, &QTimer::timeout, [] {
        if (g_stopRequested.load()) {
            QCoreApplication::quit();
        }
    });
    stopWatch.start(100);
    if (line.quitAfterSeconds >= 0) {
        QTimer::singleShot(int(line.quitAfterSeconds * 1000), [] { QCoreApplication::quit(); });
    }
    const int status = app.exec();
    window.reset();  // its docks hold the component's windows
    runtime.UnloadComponent();
    return status;
}
