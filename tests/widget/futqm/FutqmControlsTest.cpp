// The futures quick-mouse window's controls, quotes, panels and linkage, in the terminal.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include "CKrAmountEdit.h"
#include "CKrStockCombox.h"
#include "FutqmWindow.h"
#include "kora/interface/Topics.h"
#include "kora/utility/JsonAccess.h"
#include "ladder/COpenInfo.h"
#include "ladder/CPositionInfo.h"
#include "ladder/CPriceHSpinEdit.h"
#include "support/JsonOf.h"
#include "support/UserInput.h"

namespace {

using Kora::Utility::JsonText;
using Terminal::Market::PositionSide;
using Dlg = CDlgFutrueQuickMouse;
namespace Topic = Kora::Interface::Topic;

constexpr int kSellVolume = 3;

class FutqmControls : public FutqmWindow {
protected:
    const Terminal::Market::Instrument& IndexFuture() { return Host().Instrument("CFFEX", "IF2403"); }
    QString Volume() { return Control<CPriceHSpinEdit>(11001)->Edit().text(); }
    int RowOf(double price) { return Ladder().Model().Scale().RowOf(price); }
    // What the ladder hears when the pointer moves off it.
    void LeaveLadder() {
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(&Ladder(), &leave);
    }
    void Click(const QString& topic, const Terminal::Market::Instrument& instrument,
               const char* volume = nullptr) {
        Json::Value payload(Json::objectValue);
        payload["Stock"] = Host().KeyOf(instrument).ToText().toStdString();
        payload["CWID"] = "KRTPosition";
        payload["KRTFrame"] = "KRTFrame";
        if (volume) {
            payload["137"] = volume;
        }
        Host().Messages().Post(topic, payload, 0);
        Pump();
    }
};

TEST_F(FutqmControls, TheTemplatesControlsCarryTheirIdsAndTexts) {
    Open();
    const std::pair<int, const char*> texts[] = {{9001, "开仓"},   {9002, "平仓"},   {9003, "平今"},
                                                 {9010, "自动"},   {9024, "FAK"},    {9025, "FOK"},
                                                 {9017, "条件单"}, {9015, "查可开"}, {11069, " 最新价居中"}};
    for (const auto& [id, text] : texts) {
        EXPECT_EQ(Control<QAbstractButton>(id)->text(), QString::fromUtf8(text)) << id;
    }
    const std::pair<int, int> volumeButtons[] = {{11000, 1},  {11002, 2},  {11003, 3},  {11004, 5},
                                                 {11005, 10}, {11006, 20}, {11008, 50}, {11009, 100}};
    for (const auto& [id, volume] : volumeButtons) {
        auto* button = Control<QPushButton>(id);
        EXPECT_EQ(button->text(), QString::number(volume));
        button->click();
        EXPECT_EQ(Volume(), QString::number(volume));
    }
    QStringList titles;
    for (int i = 0; i < Ladder().ColumnCount(); ++i) {
        titles << Ladder().ColumnTitle(i);
    }
    EXPECT_EQ(titles, (QStringList{"挂单", "买", "价格", "卖", "挂单"}));

    // The futures of the account (the commodity, four index months, the steel), not their
    // options; the window starts on the first.
    auto* chooser = Control<CKrStockCombox>(9007);
    ASSERT_EQ(chooser->Contracts().size(), 6u);
    EXPECT_EQ(chooser->Contracts()[0].contractCode.toStdString(), Meal().code);
    EXPECT_EQ(chooser->Contracts()[1].contractCode.toStdString(), IndexFuture().code);
    EXPECT_EQ(JsonText(Dialog().Contract(), "63"), Meal().code);

    // What each hedge type sends as the order's hedge flag.
    auto* hedge = Control<QComboBox>(9009);
    QStringList hedges;
    for (int i = 0; i < hedge->count(); ++i) {
        hedges << hedge->itemText(i) + "=" + hedge->itemData(i).toString();
    }
    EXPECT_EQ(hedges, (QStringList{"投机=1", "保值=3", "套利=2"}));
    EXPECT_EQ(hedge->currentIndex(), 0);

    // One lock button shows at a time, each with its theme image.
    for (auto [id, hidden] : {std::pair{11007, true}, {11011, false}}) {
        EXPECT_FALSE(Control<QToolButton>(id)->icon().isNull());
        EXPECT_EQ(Control<QToolButton>(id)->isHidden(), hidden);
    }
}

TEST_F(FutqmControls, QuotePushesReachTheLadderAndTheLatestWins) {
    Open();
    Quote(3010);
    EXPECT_EVENTUALLY_EQ(Ladder().Model().LastPriceRow(), RowOf(3010));
    EXPECT_EQ(Ladder().Model().BidRow(), RowOf(3009));
    EXPECT_EQ(Ladder().Model().AskRow(), RowOf(3011));
    EXPECT_EQ(Ladder().Levels().LevelAt(RowOf(3015), 1), 4);

    // A burst arriving while the window is busy is shown once, as its last quote.
    const uint64_t shown = Dialog().QuotesShown();
    const uint64_t received = Dialog().QuotesReceived();
    for (int i = 1; i <= 50; ++i) {
        Host().Market().SetBestQuote(Meal().index, Units(3000 + i), 5, Units(3002 + i), 5);
    }
    Host().WaitForPushes();
    EXPECT_GE(Dialog().QuotesReceived() - received, 50u);
    EXPECT_EVENTUALLY_EQ(Ladder().Model().BidRow(), RowOf(3050));
    EXPECT_LE(Dialog().QuotesShown() - shown, 2u);
}

TEST_F(FutqmControls, KeptCentredTheLadderFollowsTheLastPriceOnceThePointerHasLeftItAndUncheckedItStays) {
    Host().Market().TradeAt(Meal().index, Units(3003), 1);
    Open();
    // The window opens with the last price mid-page.
    EXPECT_EQ(Ladder().TopIndex(), RowOf(3003) - Ladder().CountPerPage() / 2);
    Control<QCheckBox>(11069)->click();
    const int top = Ladder().TopIndex();
    const int perPage = Ladder().CountPerPage();
    ASSERT_GT(perPage, 12);
    auto priceOf = [&](int row) { return Ladder().Model().Scale().PriceOf(row); };
    Quote(priceOf(top + 4));
    EXPECT_EVENTUALLY_EQ(Ladder().Model().LastPriceRow(), top + 4);
    EXPECT_EQ(Ladder().TopIndex(), top + 4 - perPage / 2);

    // A quote scrolled the rows under a moving pointer; now it waits until the pointer leaves.
    const int moved = Ladder().TopIndex();
    QTest::mouseMove(Ladder().viewport(), Ladder().CellRect(moved + 10, 1).center());
    Quote(priceOf(moved + 2));
    EXPECT_EVENTUALLY_EQ(Ladder().Model().LastPriceRow(), moved + 2);
    EXPECT_EQ(Ladder().TopIndex(), moved);
    LeaveLadder();
    EXPECT_EQ(Ladder().TopIndex(), moved + 2 - perPage / 2);

    Control<QCheckBox>(11069)->click();
    const int still = Ladder().TopIndex();
    Quote(priceOf(still + 1));
    EXPECT_EVENTUALLY_EQ(Ladder().Model().LastPriceRow(), still + 1);
    EXPECT_EQ(Ladder().TopIndex(), still);
}

TEST_F(FutqmControls, AResizeYankedTheLadderFromWhereTheTraderScrolledAndNowOnlyReCentresWhenKeptCentred) {
    Host().Market().TradeAt(Meal().index, Units(3003), 1);
    Open();
    const int opened = Ladder().TopIndex();
    const QPoint at = Ladder().viewport()->rect().center();
    QWheelEvent wheel(at, Ladder().viewport()->mapToGlobal(at), {}, {0, -360}, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(Ladder().viewport(), &wheel);
    const int scrolled = Ladder().TopIndex();
    ASSERT_GT(scrolled, opened);
    LeaveLadder();
    window->Move(0, 0, 560, 520);
    Pump();
    EXPECT_EQ(Ladder().TopIndex(), scrolled);
    window->Show(false);
    window->Show(true);
    Pump();
    EXPECT_EQ(Ladder().TopIndex(), scrolled) << "shown again";

    Control<QCheckBox>(Dlg::kCentreId)->click();
    window->Move(0, 0, 560, 640);
    Pump();
    EXPECT_EQ(Ladder().TopIndex(), RowOf(3003) - Ladder().CountPerPage() / 2);
}

TEST_F(FutqmControls, ATypedCodeIsAnnouncedOnceAndAnUnlockedWindowFollowsLinkageButALockedOneDoesNot) {
    Open();
    auto* chooser = Control<CKrStockCombox>(9007);
    chooser->lineEdit()->clear();
    QTest::keyClicks(chooser->lineEdit(), QString::fromStdString(IndexFuture().code).toLower());
    Pump();
    EXPECT_EQ(JsonText(Dialog().Contract(), "63"), IndexFuture().code);
    const auto announced = Host().Activity().Announcements();
    // Once: the window hears its own announcement and stays as it is.
    ASSERT_EQ(announced.size(), 1u);
    EXPECT_EQ(JsonText(announced.back(), "Stock"), Host().KeyOf(IndexFuture()).ToText().toStdString());
    EXPECT_EQ(JsonText(announced.back(), "CWID"), "KRFutureQMouse");

    Click(Topic::kListClick, Meal(), "4");
    EXPECT_EQ(JsonText(Dialog().Contract(), "63"), Meal().code);
    EXPECT_EQ(Ladder().Model().ContractCode().toStdString(), Meal().code);
    EXPECT_EQ(Volume(), QStringLiteral("4"));

    Control<QToolButton>(11011)->click();
    EXPECT_TRUE(Dialog().IsContractLocked());
    EXPECT_FALSE(Control<QWidget>(9007)->isEnabled());
    Click(Topic::kClickKLine, IndexFuture(), "9");
    EXPECT_EQ(JsonText(Dialog().Contract(), "63"), Meal().code);
    EXPECT_EQ(Volume(), QStringLiteral("4"));

    Control<QToolButton>(11007)->click();
    Click(Topic::kClickTrend, IndexFuture());
    EXPECT_EQ(JsonText(Dialog().Contract(), "63"), IndexFuture().code);
    // A contract the futures account cannot trade is not taken.
    Click(Topic::kListDblClick, *Host().Market().Catalogue().At(3));
    EXPECT_EQ(JsonText(Dialog().Contract(), "63"), IndexFuture().code);
}

TEST_F(FutqmControls, PositionPanelsShowTheHedgeTypesVolumesAndProfitAndGiveTheClosableVolume) {
    ASSERT_TRUE(Host().Market().AddPosition("E1008", Meal().index, PositionSide::Long, 7, Units(2990)));
    ASSERT_TRUE(
        Host().Market().AddPosition("E1008", Meal().index, PositionSide::Long, 2, Units(2990), false, '3'));
    Open();
    Quote(3000);
    auto* longPanel = Control<CPositionInfo>(11066);
    EXPECT_EQ(longPanel->VolumeText(), QStringLiteral("7"));
    EXPECT_EQ(longPanel->ProfitText(), QStringLiteral("700.0"));
    EXPECT_TRUE(Control<CPositionInfo>(11067)->VolumeText().isEmpty());
    const auto marks = Ladder().Model().PositionMarks();
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_EQ(marks[0].row, RowOf(2990));
    EXPECT_EQ(marks[0].tone, PositionMark::Tone::Profit);

    Control<QRadioButton>(9002)->click();
    Control<CPriceHSpinEdit>(11001)->SetValue(4);
    ClickCell(3005, kSellVolume);
    Pump();
    EXPECT_EQ(longPanel->VolumeText(), QStringLiteral("7(3)"));
    QTest::mouseDClick(longPanel, Qt::LeftButton);
    EXPECT_EQ(Volume(), QStringLiteral("3"));

    // The profit follows the quote.
    Quote(2980);
    EXPECT_EVENTUALLY_EQ(longPanel->ProfitText(), QStringLiteral("-700.0"));

    // Another hedge type shows only its own orders and positions.
    EXPECT_EQ(Ladder().Model().Groups().All().size(), 1u);
    ChooseItem(*Control<QComboBox>(9009), 1);
    EXPECT_TRUE(Ladder().Model().Groups().All().empty());
    EXPECT_EQ(longPanel->VolumeText(), QStringLiteral("2"));
}

TEST_F(FutqmControls, OpenableVolumesComeFromTheEngineAndTheConditionalOrderGetsTheContractVolumeAndOffset) {
    Open();
    Quote(3000);
    Control<QPushButton>(9015)->click();
    auto* panel = Control<COpenInfo>(11068);
    Json::Value request(Json::objectValue);
    request["EAccountID"] = "E1008";
    request["54"] = "DCE";
    request["63"] = Meal().code;
    request["117"] = "0";
    for (const char* direction : {"0", "1"}) {
        request["112"] = direction;
        const QString expected =
            QString::number(Host().Engine().GetMaxOpenVolume(request)["MaxVolume"].asInt64());
        EXPECT_EQ(direction[0] == '0' ? panel->BuyText() : panel->SellText(), expected);
    }
    EXPECT_GT(panel->BuyText().toInt(), 0);
    QTest::mouseDClick(panel, Qt::LeftButton, {}, QPoint(10, 8));
    EXPECT_EQ(Volume(), panel->BuyText());
    Control<QPushButton>(11000)->click();
    QTest::mouseDClick(panel, Qt::LeftButton, {}, QPoint(10, panel->height() - 4));
    EXPECT_EQ(Volume(), panel->SellText());

    Control<CPriceHSpinEdit>(11001)->SetValue(3);
    Control<QRadioButton>(9002)->click();
    Control<QPushButton>(9017)->click();
    const auto conditions = Host().Conditions().Orders();
    ASSERT_EQ(conditions.size(), 1u);
    EXPECT_EQ(conditions[0].function, QStringLiteral("-808-@"));
    Json::Value expected = JsonOf(
        R"({"ExchangeCode": "DCE", "Volume": 3, "PriceType": "对手价", "Direction": "0", "OffsetFlag": "1"})");
    expected["ContractCode"] = Meal().code;
    EXPECT_EQ(conditions[0].params, expected);

    // Without a volume the conditional order chooses its own.
    Control<CPriceHSpinEdit>(11001)->SetValue(0);
    Control<QPushButton>(9017)->click();
    EXPECT_FALSE(Host().Conditions().Orders().back().params.isMember("Volume"));
}

TEST_F(FutqmControls, WithoutAnAccountOfItsOwnTheWindowTradesOnAFuturesAccountAndAnswersTheTerminal) {
    Open({});
    EXPECT_EQ(Dialog().Presenter().AccountId(), QStringLiteral("E1008"));
    TearDown();

    // The terminal's current account trades securities: the first futures account is taken.
    ASSERT_TRUE(Host().Engine().SetCurrentAccount("E1001"));
    Open({});
    EXPECT_EQ(Dialog().Presenter().AccountId(), QStringLiteral("E1008"));
    EXPECT_EQ(JsonText(Dialog().Contract(), "63"), Meal().code);

    // The wrapper answers the top state; the quick-mouse instruct focuses the ladder.
    Json::Value query(Json::objectValue);
    query["Function"] = "M_GetShowTopState";
    Json::Value result;
    ASSERT_TRUE(window->OnNotify(query, result));
    EXPECT_EQ(result, Json::Value(true));
    Control<QPushButton>(9017)->setFocus();
    Json::Value instruct(Json::objectValue);
    instruct["Function"] = "QuickMouse";
    Host().Instructs().ExecuteInstruct(instruct);
    EXPECT_EQ(Dialog().focusWidget(), &Ladder());
}

}  // namespace
