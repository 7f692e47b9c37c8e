#pragma once

#include <gtest/gtest.h>

#include <QPoint>

#include "analysis/CDlgPositionAnalyze.h"
#include "platform/ControlId.h"
#include "support/ComponentOnHost.h"

class CKrOwnerDrawList;

// The position risk window as the terminal opens it, on the scripted market's stock-option
// account, which holds options of the fund (the ETF): two calls bought and one put written.
class RiskWindow : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    Terminal::HostRuntime& Host() { return t.Host(); }
    void Open();
    CDlgPositionAnalyze& Dialog() { return *m_dialog; }
    template <class T = QWidget>
    T* Control(int id) {
        T* control = Win::FindControl<T>(m_dialog, id);
        EXPECT_NE(control, nullptr) << "control " << id;
        return control;
    }
    // Delivers what is pending (host messages and pushes, the window's posts) until quiet.
    void Pump();

    // The fund, its near-month options (ascending strike, call before put), and one of the
    // commodity future's options.
    const Terminal::Market::Instrument& Fund();
    const Terminal::Market::Instrument& FundOption(int index);
    const Terminal::Market::Instrument& FutureOption();
    Kora::Interface::QuoteKey Key(const Terminal::Market::Instrument& instrument) {
        return Host().KeyOf(instrument);
    }

    // Adds options through "添加": the chooser picks the group of the instrument's kind in its
    // underlying's month, then the instrument itself.
    void AddThroughChooser(const Terminal::Market::Instrument& option);
    // A click at an offset from a list cell's top left (negative x: from its right edge).
    void ClickCell(CKrOwnerDrawList& list, int row, const char* key, int x = -1000);
    // The combo's item chosen as the user chooses it.
    void Choose(int comboId, int index);

    ComponentOnHost t;
    Kora::Utility::Handle<Kora::Interface::ContentWindowI> window;

private:
    CDlgPositionAnalyze* m_dialog = nullptr;
};
