#pragma once

#include <QPoint>

#include "ladder/CKRMouselist.h"
#include "quickmouse/CDlgFutrueQuickMouse.h"
#include "support/ToolWindowOnHost.h"

// The futures quick-mouse window as the terminal opens it.
class FutqmWindow : public ToolWindowOnHost<CDlgFutrueQuickMouse> {
protected:
    // Opens the window; by default on the futures account.
    void Open(const Kora::Utility::WStringMap& params = {
                  {QStringLiteral("EAccountID"), QStringLiteral("E1008")}});
    CKRMouselist& Ladder() { return Dialog().Ladder(); }

    // The commodity future the window opens on, and its prices in market units.
    const Terminal::Market::Instrument& Meal() { return Host().Instrument("DCE", "m2408"); }
    int64_t Units(double price) { return Meal().ToUnits(price); }
    // A book around `last` (bid last − 1, ask last + 1) and a trade at `last`.
    void Quote(double last);

    // The centre of a ladder cell in its viewport, scrolling the row into view first.
    QPoint Cell(double price, int column);
    void ClickCell(double price, int column);
    void Drag(double fromPrice, int fromColumn, double toPrice, int toColumn);
};
