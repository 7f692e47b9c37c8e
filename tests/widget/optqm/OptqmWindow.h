#pragma once

#include <gtest/gtest.h>

#include "frame/ToolWindows.h"
#include "option/CDlgOptionQuickMouse.h"
#include "option/CKROptionMouselist.h"
#include "platform/ControlId.h"
#include "support/ComponentOnHost.h"

// The option quick-mouse window as the terminal opens it (through the scripted terminal's
// content-window service, the component loaded in-process, shown offscreen), on a fund option
// whose book is 0.0450 bid, 0.0460 offered, ten lots at each of five levels a side.
class OptqmWindow : public ::testing::Test {
protected:
    void TearDown() override;

    Terminal::HostRuntime& Host() { return t.Host(); }
    // Opens the window on an account (the stock-option account by default) and, for the
    // stock-option account, puts it on the fund option.
    void Open(const QString& account = QStringLiteral("E1006"));
    COptionQMouseWindow& Wrapper() { return dynamic_cast<COptionQMouseWindow&>(*window); }
    CDlgOptionQuickMouse& Dialog() { return *Wrapper().QuickMouse(); }
    CKROptionMouselist& Ladder() { return Dialog().Ladder(); }
    template <class T>
    T* Control(int id) {
        T* control = Win::FindControl<T>(&Dialog(), id);
        EXPECT_NE(control, nullptr) << "control " << id;
        return control;
    }
    void Pump();

    // The near month's first call on 510050.
    const Terminal::Market::Instrument& Option();
    int64_t Units(double price) { return Option().ToUnits(price); }

    // The centre of a ladder cell in its viewport, the row scrolled into view first.
    QPoint Cell(double price, int column);
    void ClickCell(double price, int column);

    std::vector<Json::Value> Orders() { return t.Journal(QStringLiteral("Order")); }
    std::vector<Json::Value> Cancels() { return t.Journal(QStringLiteral("Cancel")); }

    ComponentOnHost t;
    Kora::Utility::Handle<Kora::Interface::ContentWindowI> window;
};
