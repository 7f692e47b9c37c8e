#pragma once

#include <gtest/gtest.h>

#include <QPoint>
#include <functional>
#include <memory>
#include <vector>

#include "frame/ToolWindows.h"
#include "host/HostRuntime.h"
#include "platform/ControlId.h"
#include "platform/MessageBox.h"
#include "quickmouse/CDlgFutrueQuickMouse.h"
#include "quickmouse/CKRMouselist.h"

// The futures quick-mouse window as the terminal opens it: the component linked in and loaded
// by a scripted host, the window made through the host's content-window service. Message boxes
// are answered here and recorded.
class FutqmWindow : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the window; by default on the futures account.
    void Open(const Kora::Utility::WStringMap& params = {
                  {QStringLiteral("EAccountID"), QStringLiteral("E1008")}});
    CDlgFutrueQuickMouse& Dialog() { return *m_dialog; }
    CFutureQMouseWindow& Window();
    CKRMouselist& Ladder();
    template <class T>
    T* Control(int id);

    // Delivers what is pending: the host's messages and pushes, then the window's own posted
    // messages, again until both are quiet.
    void Pump();

    // The commodity future the window opens on, and its prices in market units.
    const Terminal::Market::Instrument& Meal() const { return *host->Market().Catalogue().At(0); }
    int64_t Units(double price) const { return Meal().ToUnits(price); }
    // A book around `last` (bid last − 1, ask last + 1) and a trade at `last`, shown on the ladder.
    void Quote(double last);

    // The centre of a ladder cell in its viewport, scrolling the row into view first.
    QPoint Cell(double price, int column);
    void ClickCell(double price, int column);
    void Drag(double fromPrice, int fromColumn, double toPrice, int toColumn);

    // Journal entries of one kind ("Order", "Cancel", ...).
    std::vector<Json::Value> Journal(const QString& kind) const;
    // The working orders of the futures account, by the market.
    std::vector<Json::Value> WorkingOrders();

    std::unique_ptr<Terminal::HostRuntime> host;
    Kora::Utility::Handle<Kora::Interface::ContentWindowI> window;
    std::vector<Win::MessageBoxRequest> boxes;
    // Chooses the button of each message box; OK when empty.
    std::function<int(const Win::MessageBoxRequest&)> answer;

private:
    CDlgFutrueQuickMouse* m_dialog = nullptr;
    Win::MessageBoxResponder m_previousResponder;
};

template <class T>
T* FutqmWindow::Control(int id) {
    T* control = Win::FindControl<T>(m_dialog, id);
    EXPECT_NE(control, nullptr) << "control " << id;
    return control;
}
