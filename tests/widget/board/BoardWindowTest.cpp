// The option batch trading board as the terminal opens it, docked and popped up: made by the
// component loaded in-process on the scripted terminal, shown offscreen, clicked with the mouse.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include "kora/interface/Topics.h"
#include "kora/utility/JsonAccess.h"
#include "option/CDlgOptionBatchTrade.h"
#include "option/CDlgOptionBatchTradePop.h"
#include "option/OptionBoardColumns.h"
#include "platform/ControlId.h"
#include "platform/ModalRunner.h"
#include "support/ScopedModalRunner.h"
#include "support/ToolWindowOnHost.h"

namespace {

using Kora::Utility::JsonText;
using CellRef = COptListTradeBatch::CellRef;
namespace Topic = Kora::Interface::Topic;
using Board = CDlgOptionBatchTrade;

class BoardWindowTest : public ToolWindowOnHost<Board> {
protected:
    // Opens the docked board on the stock-option account, which trades the fund's options.
    Board& Open() {
        t.Host().Engine().SetCurrentAccount("E1006");
        OpenWindow(QStringLiteral("OptBatchWindow"), {1100, 560});
        return Dialog();
    }

    void Click(Board& board, CellRef cell) {
        COptListTradeBatch& list = board.Board();
        list.CentreRow(cell.row);
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.CellRect(cell).center());
    }

    void Press(Board& board, int button) {
        QTest::mouseClick(Win::FindControl<QPushButton>(&board, button), Qt::LeftButton);
        t.Pump();
    }

    QString Text(Board& board, int id) { return Win::FindControl<QLabel>(&board, id)->text(); }
    QLineEdit& Quantity(Board& board) { return *Win::FindControl<QLineEdit>(&board, Board::kQuantityEdit); }

    // The fund's options of the near month, as the market lists them.
    const Terminal::Market::Instrument& FundOption(const OptionBoard::Option& option) {
        return t.Host().Instrument(option.info.exchangeCode.toStdString(),
                                   option.info.contractCode.toStdString());
    }
};

TEST_F(BoardWindowTest, OpensOnTheFundsNearMonthAroundTheAtTheMoneyRowAndFollowsQuotesAndLinkage) {
    Board& board = Open();
    const auto& fund = t.Host().Instrument("SHSE-A", "510050");
    EXPECT_EQ(board.Chain().underlying.code, "510050");
    EXPECT_EQ(board.Chain().month, board.Chain().months.front());
    EXPECT_EQ(JsonText(board.Account(), "EAccountID"), "E1006");
    EXPECT_EQ(Quantity(board).text(), "1");

    // The fund trades at 2.50: the 2.5 strike is at the money and stands in the middle.
    ASSERT_EQ(fund.ToPrice(t.Host().Market().Snapshot(fund.index).referencePrice), 2.5);
    const int row = board.Frame().atTheMoneyRow;
    ASSERT_GE(row, 0);
    EXPECT_EQ(board.Board().CellAt({row, OptionBoard::kStrike}).text, "2.5000 平值");
    const QRect shown = board.Board().CellRect({row, OptionBoard::kStrike});
    EXPECT_TRUE(board.Board().viewport()->rect().contains(shown)) << "the at-the-money row is in view";

    board.ChooseTab(OptionBoard::Tab::kMarketPrice);
    const auto& call = FundOption(*board.Chain().rows[row].call);
    t.Host().Market().SetBestQuote(call.index, call.ToUnits(0.0611), 5, call.ToUnits(0.0637), 5);
    ASSERT_TRUE(WaitUntil([&] {
        return board.Board().CellAt({row, OptionBoard::kCallBuy}).text == "0.0611";
    }));
    EXPECT_EQ(board.Board().CellAt({row, OptionBoard::kCallSell}).text, "0.0637");
    EXPECT_FALSE(board.IsRefreshPending());

    // A linked option switches the board to its underlying and month.
    const auto& catalogue = t.Host().Market().Catalogue();
    const int meal = catalogue.Underlyings().front();
    const std::string month = catalogue.Months(meal)[1];
    Json::Value linkage(Json::objectValue);
    linkage["Stock"] =
        t.Host().KeyOf(*catalogue.At(catalogue.Options(meal, month).front())).ToText().toStdString();
    t.Host().Messages().Post(Topic::kStockChanged, linkage, 0);
    t.Pump();
    EXPECT_EQ(board.Chain().underlying.code.toStdString(), catalogue.At(meal)->code);
    EXPECT_EQ(board.Chain().month.toStdString(), month);
}

TEST_F(BoardWindowTest, TheCallSellAndPutBuyOfARowBecomeTwoLegsInTickingOrder) {
    Board& board = Open();
    const int row = board.Frame().atTheMoneyRow;
    ASSERT_GE(row, 0);
    Click(board, {row, OptionBoard::kCallSell});
    Click(board, {row, OptionBoard::kPutBuy});
    EXPECT_EQ(Text(board, Board::kTrialLegs), "2");
    Quantity(board).setText("2");
    Press(board, Board::kOrderButton);

    EXPECT_TRUE(t.boxes.empty()) << t.BoxTexts().join('|').toStdString();
    const auto pages = t.Journal(QStringLiteral("Combination"));
    ASSERT_EQ(pages.size(), 1u);
    const Json::Value& request = pages[0]["Request"];
    EXPECT_EQ(request["PriceType"], "对手价");
    const Json::Value& legs = request["OrderList"];
    ASSERT_EQ(legs.size(), 2u);
    EXPECT_EQ(legs[0]["Contract"]["ContractCode"], FundOption(*board.Chain().rows[row].call).code);
    EXPECT_EQ(legs[0]["BS"], 49);
    EXPECT_EQ(legs[1]["Contract"]["ContractCode"], FundOption(*board.Chain().rows[row].put).code);
    EXPECT_EQ(legs[1]["BS"], 48);
    EXPECT_EQ(legs[1]["Volume"], 2);

    ASSERT_EQ(t.Host().AddinPublic().Pending().size(), 1u);
    EXPECT_TRUE(board.Orders().IsAwaitingAnswer());
    ASSERT_TRUE(t.Host().AddinPublic().Confirm(t.Host().AddinPublic().Pending()[0].id));
    t.Pump();
    EXPECT_FALSE(board.Orders().IsAwaitingAnswer());
    EXPECT_EQ(t.Journal(QStringLiteral("Order")).size(), 2u);
    EXPECT_TRUE(t.boxes.empty());
}

TEST_F(BoardWindowTest, AFailedLegOfThisWindowIsToldAndAnotherWindowsFailureIsNot) {
    Board& board = Open();
    Json::Value foreign(Json::objectValue);
    foreign["SmartOrderId"] = "SO999999";
    foreign["State"] = 4;
    foreign["SubState"] = 4;
    foreign["ErrorMsg"] = "别的窗口的委托失败";
    t.Host().Messages().Post(Topic::kReorderNotifyInfo, foreign, 0);
    t.Pump();
    EXPECT_TRUE(t.boxes.empty());

    // More options than the account's money pays for: the market refuses the leg after the page
    // is confirmed, and says so before the page's answer names the smart order.
    Click(board, {board.Frame().atTheMoneyRow, OptionBoard::kCallBuy});
    Quantity(board).setText("900000");
    Press(board, Board::kOrderButton);
    ASSERT_EQ(t.Host().AddinPublic().Pending().size(), 1u);
    t.Host().AddinPublic().Confirm(t.Host().AddinPublic().Pending()[0].id);
    t.Host().Messages().Post(Topic::kReorderNotifyInfo, foreign, 0);
    t.Pump();
    EXPECT_EQ(t.BoxTexts(), QStringList{"可用资金不足"});
}

TEST_F(BoardWindowTest, ARefusedOrderLeavesTicksQuantityAndAccountAsTheyWere) {
    Board& board = Open();
    auto* accounts = Win::FindControl<QComboBox>(&board, Board::kAccountCombo);
    const int futures = accounts->findData(QStringLiteral("E1008"));
    ASSERT_GE(futures, 0);
    accounts->setCurrentIndex(futures);
    board.ChooseAccount(futures);
    Click(board, {0, OptionBoard::kPutSell});
    Quantity(board).setText("3");
    Press(board, Board::kOrderButton);

    ASSERT_EQ(t.BoxTexts(), QStringList{"你选择的期权合约与当前交易账号的类型不匹配，请核实！"});
    EXPECT_EQ(t.boxes[0].title, "提示");
    EXPECT_TRUE(t.Journal(QStringLiteral("Combination")).empty());
    EXPECT_EQ(board.Board().Ticks(), (std::vector<CellRef>{{0, OptionBoard::kPutSell}}));
    EXPECT_EQ(Quantity(board).text(), "3");
    EXPECT_EQ(JsonText(board.Account(), "EAccountID"), "E1008");

    // The spin steps from what the field holds and never below 0.
    for (int step = 0; step < 4; ++step) {
        board.StepQuantity(1);
    }
    EXPECT_EQ(Quantity(board).text(), "0");
    board.StepQuantity(-1);
    EXPECT_EQ(Quantity(board).text(), "1");
}

TEST_F(BoardWindowTest, ALegWithoutAContractRecordIsMarkedLeftOutOfTheTrialAndRefusedByName) {
    ASSERT_TRUE(t.Host().WithdrawService(QStringLiteral("Kora.Platform.Service.KRTContract")));
    Board& board = Open();
    const int row = board.Frame().atTheMoneyRow;
    Click(board, {row, OptionBoard::kPutBuy});
    EXPECT_TRUE(board.Board().IsMarked({row, OptionBoard::kPutBuy}));
    EXPECT_EQ(Text(board, Board::kTrialLegs), "1");
    EXPECT_EQ(Text(board, Board::kTrialBuyVega), "0.000");
    EXPECT_EQ(Text(board, Board::kTrialNote), "1个所选合约缺少合约信息或行情，未计入试算");

    Press(board, Board::kOrderButton);
    const QString name = board.Chain().rows[row].put->info.name;
    EXPECT_EQ(t.BoxTexts(),
              QStringList{name + "（认沽买）缺少合约信息或行情，不能下单，请取消勾选后再操作！"});
    EXPECT_TRUE(t.Journal(QStringLiteral("Combination")).empty());
}

TEST_F(BoardWindowTest, ThePopUpsBoardFillsItAsItIsResizedAndGoesWhenItClosesWithItsSubscriptions) {
    t.Host().Engine().SetCurrentAccount("E1006");
    const size_t quoteSubscribers = t.Host().Quotes().SubscriberCount();
    const size_t listeners = t.Host().Messages().SubscriberCount(Topic::kAccountLogin);
    QRect filled;
    QRect client;
    size_t whileOpen = 0;
    const ScopedModalRunner runner([&](QDialog& dialog) {
        auto* pop = dynamic_cast<CDlgOptionBatchTradePop*>(&dialog);
        EXPECT_NE(pop, nullptr);
        dialog.show();
        dialog.resize(1000, 620);
        t.Pump();
        EXPECT_EQ(pop->Board()->geometry(), dialog.rect());
        dialog.showMaximized();
        t.Pump();
        filled = pop->Board()->geometry();
        client = dialog.rect();
        whileOpen = t.Host().Messages().SubscriberCount(Topic::kAccountLogin);
        dialog.reject();
        EXPECT_EQ(pop->Board(), nullptr);
        return int(QDialog::Rejected);
    });
    Json::Value request(Json::objectValue);
    request["Function"] = "PopOptBatchTrade";
    t.Host().Instructs().ExecuteInstruct(request);
    t.Pump();

    EXPECT_EQ(filled, client);
    EXPECT_EQ(whileOpen, listeners + 1);
    EXPECT_EQ(t.Host().Messages().SubscriberCount(Topic::kAccountLogin), listeners);
    EXPECT_EQ(t.Host().Quotes().SubscriberCount(), quoteSubscribers);
}

}  // namespace
