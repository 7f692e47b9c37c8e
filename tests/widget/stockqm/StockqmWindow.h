#pragma once

#include <QPoint>

#include "CFastMouseOrderList2.h"
#include "quickmouse/DlgQuickMouse.h"
#include "support/OwnWorkingFolder.h"
#include "support/ToolWindowOnHost.h"

// The stock quick-mouse window as the terminal opens it. Each test has a working folder of its
// own, so the default-stock file starts missing and the run layout's is never touched.
class StockqmWindow : public ToolWindowOnHost<DlgQuickMouse> {
protected:
    using Ladder = CFastMouseOrderList2;
    static constexpr const char* kCredit = "E1005";
    static constexpr const char* kOrdinary = "E1001";

    void Open() { OpenWindow(QStringLiteral("KRTToolQuickMouse"), {800, 660}); }
    CFastMouseOrderList2& LadderList() { return Dialog().Ladder(); }
    // Chooses an account in the window's account box, as the trader does.
    void ChooseAccount(const char* accountId);
    void Click(int id);
    void SetVolume(DlgQuickMouse::Side side, int64_t volume);

    // 600000 (申江银行, 7.50, limits 8.25 and 6.75, a lot of 100) and its prices in market units.
    const Terminal::Market::Instrument& Bank() { return Host().Instrument("SHSE-A", "600000"); }
    int64_t Units(double price) { return Bank().ToUnits(price); }

    // The centre of a ladder cell, scrolling its row into view first.
    QPoint Cell(double price, int column);
    void ClickCell(double price, int column);
    void Drag(double fromPrice, double toPrice, int column);

    QString IniPath() const { return m_folder.FilePath(QStringLiteral("cfg/QuickMouse/QuickMouse.ini")); }

private:
    OwnWorkingFolder m_folder;
};
