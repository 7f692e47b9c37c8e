#pragma once

#include <QDir>
#include <QString>

#include "host/HostRuntime.h"

class QDialog;
class QWidget;

namespace Terminal::Ui {

class MainWindow;
class ToolDock;

// `krt-terminal --screenshot DIR`: pictures of everything the component shows, for people and
// for later work to look at. On the live market (stepped ahead first, so books and volumes are
// filled), each content-window type is docked in turn, linked to a contract that suits it,
// given a moment to draw live quotes (the futures account holds a position and has orders
// working on the contract the futures tools show; the credit account likewise on the stock the
// stock window shows, in margin mode; the stock-option account holds options of the fund, which
// the position risk window shows with one more added by hand, and has orders staged as the
// option quick-mouse window opens on the option it shows) and written as DIR/<type>.png; the main
// window with two docked tools is written as DIR/MainWindow.png, the market watch's option
// T-quote of the first fund as DIR/OptionChain.png; then every instruct runs, and each one that
// opens a modal dialog has it captured while open as DIR/<instruct>.png (the option price
// calculator and the seller analysis with an option chosen and computed; the trade statistics
// twice, on open interest and as DIR/<instruct>MaxPain.png on the maximum pain), and the
// file-order window as DIR/FileOrder.png. Nested modal dialogs (a data download) run as usual.
// The option batch board, docked and popped up, trades on the stock-option account and shows
// the fund's chain with a bull call spread ticked: the at-the-money call bought, the next one up
// sold.
class ScreenshotSession {
public:
    ScreenshotSession(HostRuntime& runtime, MainWindow& window, const QString& folder);

    // 0 when every content window and the main window were written; 1 otherwise (said on stderr).
    int Run();

    static inline const QString kMainWindowFile = QStringLiteral("MainWindow");
    static inline const QString kOptionChainFile = QStringLiteral("OptionChain");
    static inline const QString kFileOrderWindow = QStringLiteral("CDlgFileOrder");

private:
    void StageTrading(const QString& type, const char* account);
    void StageOptionPositions();
    void StagePositionAnalyze(QWidget& window);
    void StageStockTrading();
    void StageStockWindow(ToolDock& dock);
    bool ShootWindowType(const QString& type);
    bool ShootMainWindow();
    bool ShootOptionChain();
    void ShootInstructs();
    bool ShootFileOrderWindow();
    int ShootModal(QDialog& dialog);
    void Stage(QDialog& dialog);
    void ShootTradeStatistics(QDialog& dialog);
    // Links the tools to the contract a window type shows best (none: -1).
    int StagedInstrument(const QString& type) const;
    int AtTheMoneyOption() const;
    // Ticks two legs on the option board a window holds, if it holds one.
    void StageOptionBoard(QWidget& window);
    // Makes the first account of the category current; answers the one that was.
    std::string MakeCurrentAccount(int category);
    bool Save(QWidget& widget, const QString& name);
    void Settle(int ms);

    HostRuntime& m_runtime;
    MainWindow& m_window;
    QDir m_folder;
    QString m_instruct;        // the instruct running now
    bool m_capturing = false;  // a modal dialog is being captured
    int m_failures = 0;
};

}  // namespace Terminal::Ui
