#pragma once

#include <gtest/gtest.h>

#include <QPoint>

#include "frame/ToolWindows.h"
#include "ladder/CKRMouselist.h"
#include "platform/ControlId.h"
#include "quickmouse/CDlgFutrueQuickMouse.h"
#include "support/ComponentOnHost.h"

// The futures quick-mouse window as the terminal opens it: made through the scripted terminal's
// content-window service by the component loaded in-process, shown offscreen.
class FutqmWindow : public ::testing::Test {
protected:
    void TearDown() override;

    Terminal::HostRuntime& Host() { return t.Host(); }
    // Opens the window; by default on the futures account.
    void Open(const Kora::Utility::WStringMap& params = {
                  {QStringLiteral("EAccountID"), QStringLiteral("E1008")}});
    CDlgFutrueQuickMouse& Dialog() { return *m_dialog; }
    CKRMouselist& Ladder() { return m_dialog->Ladder(); }
    template <class T>
    T* Control(int id);

    void Pump() { t.Pump(); }

    // The commodity future the window opens on, and its prices in market units.
    const Terminal::Market::Instrument& Meal() { return Host().Instrument("DCE", "m2408"); }
    int64_t Units(double price) { return Meal().ToUnits(price); }
    // A book around `last` (bid last − 1, ask last + 1) and a trade at `last`.
    void Quote(double last);

    // The centre of a ladder cell in its viewport, scrolling the row into view first.
    QPoint Cell(double price, int column);
    void ClickCell(double price, int column);
    void Drag(double fromPrice, int fromColumn, double toPrice, int toColumn);

    // The working orders of the futures account, by the market.
    std::vector<Json::Value> WorkingOrders();
    // What the terminal was asked for, in order.
    std::vector<Json::Value> Orders() { return t.Journal(QStringLiteral("Order")); }
    std::vector<Json::Value> Cancels() { return t.Journal(QStringLiteral("Cancel")); }

    ComponentOnHost t;
    Kora::Utility::Handle<Kora::Interface::ContentWindowI> window;

private:
    CDlgFutrueQuickMouse* m_dialog = nullptr;
};

template <class T>
T* FutqmWindow::Control(int id) {
    T* control = Win::FindControl<T>(m_dialog, id);
    EXPECT_NE(control, nullptr) << "control " << id;
    return control;
}
