// The market watch as linked tools meet it (clicks announce the contract, quotes stay live) and
// the accounts menu as the components hear it.

#include <QComboBox>
#include <QTabBar>
#include <QTableView>
#include <QtTest/QTest>

#include "UiFixture.h"
#include "host/Records.h"
#include "kora/interface/Topics.h"
#include "kora/utility/JsonAccess.h"
#include "ui/AccountActions.h"
#include "ui/MarketWatch.h"
#include "ui/OptionChainModel.h"
#include "ui/OptionChainView.h"
#include "ui/QuoteTableModel.h"

namespace TerminalUiTest {
namespace {

namespace Topic = Kora::Interface::Topic;
using Terminal::Ui::QuoteTableModel;

class LinkageTest : public BareUiFixture {
protected:
    QPoint CentreOfRow(int row) {
        QTableView* view = Window().Watch()->View();
        return view->visualRect(view->model()->index(row, QuoteTableModel::kName)).center();
    }

    QString KeyTextOf(int instrument) {
        return Terminal::Records::KeyOf(*Host().Market().Catalogue().At(instrument)).ToText();
    }

    QString StockOf(const Json::Value& payload) { return Kora::Utility::JsonWText(payload, "Stock"); }
};

// In a category the rows are that category's contracts: a click or double click names the
// contract of its row, not the row of the whole list.
TEST_F(LinkageTest, AClickAnnouncesTheRowsContractAsListClickAndADoubleClickAsListDblClick) {
    auto record = Host().Record({Topic::kListClick, Topic::kListDblClick});
    Window()
        .Watch()
        ->findChild<QTabBar*>(QStringLiteral("MarketCategories"))
        ->setCurrentIndex(2);  // 期货期权
    const int firstOption = Window().Watch()->InstrumentAtRow(0);
    ASSERT_GE(firstOption, 0);
    EXPECT_EQ(Host().Market().Catalogue().At(firstOption)->kind,
              Terminal::Market::InstrumentKind::FutureOption);
    QWidget* rows = Window().Watch()->View()->viewport();

    QTest::mouseClick(rows, Qt::LeftButton, {}, CentreOfRow(0));
    ASSERT_TRUE(WaitUntil([&] { return record->Count(Topic::kListClick) == 1; }));
    EXPECT_EQ(StockOf(record->Payloads(Topic::kListClick)[0]), KeyTextOf(firstOption));
    EXPECT_EQ(record->Count(Topic::kListDblClick), 0u);

    QTest::mouseDClick(rows, Qt::LeftButton, {}, CentreOfRow(0));
    ASSERT_TRUE(WaitUntil([&] { return record->Count(Topic::kListDblClick) == 1; }));
    EXPECT_EQ(StockOf(record->Payloads(Topic::kListDblClick)[0]), KeyTextOf(firstOption));
}

TEST_F(LinkageTest, TheQuoteListFollowsTheMarket) {
    const Terminal::Market::Instrument& future = *Host().Market().Catalogue().At(0);
    QuoteTableModel* quotes = Window().Watch()->Model();
    Host().Market().SetBestQuote(future.index, 2987, 10, 2989, 12);
    Host().Market().TradeAt(future.index, 2988, 5);

    auto text = [&](int column) { return quotes->index(future.index, column).data().toString(); };
    ASSERT_TRUE(WaitUntil([&] { return text(QuoteTableModel::kBid) == QStringLiteral("2987"); }));
    EXPECT_EQ(text(QuoteTableModel::kAsk), QStringLiteral("2989"));
    EXPECT_EQ(text(QuoteTableModel::kLast), QStringLiteral("2988"));
    EXPECT_EQ(text(QuoteTableModel::kChange), QStringLiteral("-12"));
    EXPECT_EQ(text(QuoteTableModel::kChangePercent), QStringLiteral("-0.40%"));
}

// The T-quote: each strike's call on the left and its put on the right, a click on either names
// that option, and a rolled day that expires an index month takes it off the underlyings.
TEST_F(LinkageTest, TheOptionTQuoteSetsEachStrikeBetweenItsCallAndPutAndFollowsTheListing) {
    using Terminal::Ui::OptionChainModel;
    auto record = Host().Record({Topic::kListClick});
    const int fund = Host().Instrument("SHSE-A", "510050").index;
    Window().Watch()->ShowChain(fund);
    Terminal::Ui::OptionChainView& chain = *Window().Watch()->Chain();
    OptionChainModel& model = *chain.Model();
    ASSERT_EQ(model.Month(), "2403");
    int row = 0;
    while (row < model.rowCount() &&
           model.index(row, OptionChainModel::kStrike).data() != QStringLiteral("2.5000")) {
        ++row;
    }
    ASSERT_LT(row, model.rowCount());
    EXPECT_EQ(model.AtTheMoneyRow(), row);
    auto cell = [&](int column) { return model.index(row, column); };
    auto optionIn = [&](int column) {
        return Host().Market().Catalogue().At(cell(column).data(OptionChainModel::kInstrumentRole).toInt());
    };
    ASSERT_TRUE(optionIn(OptionChainModel::kCallLast) && optionIn(OptionChainModel::kPutLast));
    EXPECT_FALSE(optionIn(OptionChainModel::kCallBid)->option->isPut);
    EXPECT_TRUE(optionIn(OptionChainModel::kPutBid)->option->isPut);
    EXPECT_EQ(optionIn(OptionChainModel::kPutBid)->option->strike, 25000);
    EXPECT_EQ(cell(OptionChainModel::kCallVolatility).data().toString(), QStringLiteral("19.62%"));

    QTest::mouseClick(chain.View()->viewport(), Qt::LeftButton, {},
                      chain.View()->visualRect(cell(OptionChainModel::kPutAsk)).center());
    ASSERT_TRUE(WaitUntil([&] { return record->Count(Topic::kListClick) == 1; }));
    EXPECT_EQ(StockOf(record->Payloads(Topic::kListClick)[0]),
              KeyTextOf(optionIn(OptionChainModel::kPutAsk)->index));

    auto underlyings = [&] {
        QStringList texts;
        const auto* box = chain.findChild<QComboBox*>();
        for (int i = 0; i < box->count(); ++i) {
            texts << box->itemText(i).section(' ', 0, 0);
        }
        return texts;
    };
    ASSERT_TRUE(underlyings().contains(QStringLiteral("IF2403")));
    while (Host().RollTradingDay() < QDate(2024, 3, 28)) {  // the March index month expires on the 27th
    }
    ASSERT_TRUE(WaitUntil([&] { return !underlyings().contains(QStringLiteral("IF2403")); }));
    EXPECT_EQ(model.Underlying(), fund);
}

TEST_F(LinkageTest, TheAccountsMenuLogsOutAndInAndChoosesTheCurrentAccount) {
    auto record = Host().Record({Topic::kAccountLogin, Topic::kAccountLogout, Topic::kAccountChange});
    const QString stocks = Terminal::Ui::AccountActions::Caption(*Host().Market().Account("E1001"));
    QMenu& menu = *Window().AccountsMenu();

    QMenu* logOut = SubMenu(menu, QStringLiteral("退出账户"));
    ASSERT_TRUE(logOut);
    MenuEntryTitled(*logOut, stocks)->trigger();
    ASSERT_TRUE(WaitUntil([&] { return record->Count(Topic::kAccountLogout) == 1; }));
    const Json::Value loggedOut = record->Payloads(Topic::kAccountLogout)[0];
    EXPECT_EQ(Kora::Utility::JsonText(loggedOut, "EAccountID"), "E1001");
    EXPECT_TRUE(Kora::Utility::JsonBool(loggedOut, "ExitTrade", false));
    EXPECT_FALSE(Host().Market().IsLoggedIn("E1001"));

    QMenu* logIn = SubMenu(menu, QStringLiteral("登录账户"));
    ASSERT_TRUE(logIn);
    ASSERT_TRUE(MenuEntryTitled(*logIn, stocks)) << "only logged-out accounts can be logged in";
    MenuEntryTitled(*logIn, stocks)->trigger();
    ASSERT_TRUE(WaitUntil([&] { return record->Count(Topic::kAccountLogin) == 1; }));
    EXPECT_TRUE(Host().Market().IsLoggedIn("E1001"));

    const QString options = Terminal::Ui::AccountActions::Caption(*Host().Market().Account("E1006"));
    MenuEntryTitled(menu, options)->trigger();
    ASSERT_TRUE(WaitUntil([&] { return record->Count(Topic::kAccountChange) == 1; }));
    EXPECT_EQ(Kora::Utility::JsonText(record->Payloads(Topic::kAccountChange)[0], "EAccountID"), "E1006");
    EXPECT_EQ(Host().Engine().CurrentAccountId(), "E1006");
}

}  // namespace
}  // namespace TerminalUiTest
