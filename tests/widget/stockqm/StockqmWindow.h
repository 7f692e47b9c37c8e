#pragma once

#include <gtest/gtest.h>

#include <QPoint>
#include <QTemporaryDir>

#include "CFastMouseOrderList2.h"
#include "platform/ControlId.h"
#include "quickmouse/DlgQuickMouse.h"
#include "support/ComponentOnHost.h"

// The stock quick-mouse window as the terminal opens it: made through the scripted terminal's
// content-window service by the component loaded in-process, shown offscreen. Each test has a
// working folder of its own, so the default-stock file starts missing and the run layout's is
// never touched.
class StockqmWindow : public ::testing::Test {
protected:
    using Ladder = CFastMouseOrderList2;
    static constexpr const char* kCredit = "E1005";
    static constexpr const char* kOrdinary = "E1001";

    void SetUp() override;
    void TearDown() override;

    Terminal::HostRuntime& Host() { return t.Host(); }
    void Open();
    void Close();
    DlgQuickMouse& Dialog() { return *m_dialog; }
    CFastMouseOrderList2& LadderList() { return m_dialog->Ladder(); }
    template <class T>
    T* Control(int id);
    // Chooses an account in the window's account box, as the trader does.
    void ChooseAccount(const char* accountId);
    void Click(int id);
    void SetVolume(DlgQuickMouse::Side side, int64_t volume);

    void Pump() { t.Pump(); }

    // 600000 (申江银行, 7.50, limits 8.25 and 6.75, a lot of 100) and its prices in market units.
    const Terminal::Market::Instrument& Bank() { return Host().Instrument("SHSE-A", "600000"); }
    int64_t Units(double price) { return Bank().ToUnits(price); }

    // The centre of a ladder cell, scrolling its row into view first.
    QPoint Cell(double price, int column);
    void ClickCell(double price, int column);
    void Drag(double fromPrice, double toPrice, int column);

    std::vector<Json::Value> Orders() { return t.Journal(QStringLiteral("Order")); }
    std::vector<Json::Value> Cancels() { return t.Journal(QStringLiteral("Cancel")); }
    // The working orders of an account, by the market.
    std::vector<Terminal::Market::OrderView> WorkingOrders(const char* accountId);

    QString IniPath() const;

    ComponentOnHost t;
    Kora::Utility::Handle<Kora::Interface::ContentWindowI> window;

private:
    QTemporaryDir m_folder;
    QString m_previousFolder;
    DlgQuickMouse* m_dialog = nullptr;
};

template <class T>
T* StockqmWindow::Control(int id) {
    T* control = Win::FindControl<T>(m_dialog, id);
    EXPECT_NE(control, nullptr) << "control " << id;
    return control;
}
