// The stock window's controls: accounts and the margin switches, the stock it opens on and
// keeps, and linkage with the terminal's other windows.

#include <QFile>
#include <QLineEdit>
#include <QRadioButton>

#include "StockqmWindow.h"
#include "kora/interface/Topics.h"
#include "kora/utility/JsonAccess.h"
#include "ladder/CodeLock.h"
#include "support/UserInput.h"

namespace {

using Kora::Utility::JsonText;

class StockqmControls : public StockqmWindow {
protected:
    QRadioButton* Radio(int id) { return Control<QRadioButton>(id); }
    QString Titles() {
        return LadderList().ColumnTitle(Ladder::kBuyColumn) + "|" +
               LadderList().ColumnTitle(Ladder::kSellColumn);
    }
    void Link(const Terminal::Market::Instrument& instrument) {
        Json::Value payload(Json::objectValue);
        payload["Stock"] = Host().KeyOf(instrument).ToText().toStdString();
        Host().Messages().Post(Kora::Interface::Topic::kListClick, std::move(payload));
        Pump();
    }
};

TEST_F(StockqmControls,
       OnACreditAccountTheMarginSwitchesRenameTheLadderColumnsAndElsewhereTheyAreUnavailable) {
    Open();
    ChooseAccount(kOrdinary);
    EXPECT_FALSE(Radio(DlgQuickMouse::kSellMarginId)->isEnabled());
    EXPECT_EQ(Titles(), QStringLiteral("普买|普卖"));

    ChooseAccount(kCredit);
    Click(DlgQuickMouse::kBuyMarginId);
    Click(DlgQuickMouse::kSellMarginId);
    EXPECT_EQ(Titles(), QStringLiteral("融买|融卖"));
    EXPECT_TRUE(Radio(DlgQuickMouse::kBuyMarginId)->font().bold());
    EXPECT_FALSE(Radio(DlgQuickMouse::kBuyOrdinaryId)->font().bold());

    Click(DlgQuickMouse::kResetId);
    EXPECT_EQ(Titles(), QStringLiteral("普买|普卖"));
    EXPECT_TRUE(Radio(DlgQuickMouse::kSellOrdinaryId)->isChecked());

    // Back on the ordinary account a margin side chosen before does not survive.
    Click(DlgQuickMouse::kSellMarginId);
    ChooseAccount(kOrdinary);
    EXPECT_EQ(Dialog().MarginSwitch(DlgQuickMouse::kSell), 0);
    EXPECT_EQ(Titles(), QStringLiteral("普买|普卖"));
}

TEST_F(StockqmControls,
       TheStockOpensFromTheDefaultFileIsAnnouncedFollowsLinksUnlessLockedAndIsWrittenBackOnClosing) {
    ASSERT_FALSE(QFile::exists(IniPath()));
    Open();
    EXPECT_EQ(JsonText(Dialog().Stock(), "63"), "600000");
    auto* code = Control<QLineEdit>(DlgQuickMouse::kCodeId);
    TypeOver(*code, QStringLiteral("000001"));
    Pump();
    const auto announced = Host().Activity().Announcements();
    ASSERT_EQ(announced.size(), 1u);
    EXPECT_EQ(JsonText(announced.back(), "CWID"), "KRTToolQuickMouse");
    EXPECT_EQ(JsonText(announced.back(), "Stock"),
              Host().KeyOf(Host().Instrument("SZSE-A", "000001")).ToText().toStdString());

    Link(Host().Instrument("SHSE-A", "601988"));
    EXPECT_EQ(JsonText(Dialog().Stock(), "63"), "601988");
    Link(Host().Instrument("DCE", "m2408"));
    EXPECT_EQ(JsonText(Dialog().Stock(), "63"), "601988") << "a future is no stock to trade here";
    Click(CodeLock::kUnlockedId);
    Link(Host().Instrument("SHSE-A", "600519"));
    EXPECT_EQ(JsonText(Dialog().Stock(), "63"), "601988");
    EXPECT_FALSE(code->isEnabled());

    Close();
    Open();
    EXPECT_EQ(JsonText(Dialog().Stock(), "63"), "601988");
}

}  // namespace
