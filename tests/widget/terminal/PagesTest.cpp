// The terminal's own pages that components open: the combination order page and the
// conditional order page.

#include <QDialog>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest/QTest>

#include "UiFixture.h"
#include "kora/interface/Topics.h"
#include "kora/utility/JsonAccess.h"
#include "platform/ModalRunner.h"
#include "support/HostSteps.h"
#include "support/ScopedModalRunner.h"
#include "ui/CombinationOrderPage.h"
#include "ui/ConditionOrderPage.h"

namespace TerminalUiTest {
namespace {

namespace Topic = Kora::Interface::Topic;
using Terminal::Ui::CombinationOrderPage;

class PagesTest : public BareUiFixture {
protected:
    // Two legs on the stock-option account: buy 1 call, sell 2 puts, both opening.
    Json::Value TwoLegs() {
        call = NearMonthOption(Host(), 1, 0);
        put = NearMonthOption(Host(), 1, 1);
        Json::Value request(Json::objectValue);
        request["EAccountID"] = "E1006";
        request["VAccountID"] = "V1006";
        request["CombinationVolume"] = 1;
        auto leg = [](const Terminal::Market::Instrument& option, int direction, int volume) {
            Json::Value leg(Json::objectValue);
            leg["Contract"]["ExchangeCode"] = option.exchange;
            leg["Contract"]["ContractCode"] = option.code;
            leg["BS"] = direction;
            leg["OC"] = 48;
            leg["BD"] = 48;
            leg["Volume"] = volume;
            return leg;
        };
        request["OrderList"].append(leg(call, 48, 1));
        request["OrderList"].append(leg(put, 49, 2));
        return request;
    }

    CombinationOrderPage* Open(const Json::Value& request) {
        QWidget* page = Host().AddinPublic().OpenPage(1001, QStringLiteral("KRTAddinPublic,-706-@"),
                                                      QStringLiteral("多品种"), &Window(), request);
        return qobject_cast<CombinationOrderPage*>(page);
    }

    static void Click(QWidget& page, const char* button) {
        QTest::mouseClick(page.findChild<QPushButton*>(QString::fromUtf8(button)), Qt::LeftButton);
    }

    Terminal::Market::Instrument call, put;
};

TEST_F(PagesTest, TheCombinationPageListsTheLegsSendsThemOnlyWhenConfirmedAndSaysWhenItIsNot) {
    auto record = Host().Record({Topic::kCombinationOrderConfirmed, Topic::kCombinationOrderCancelled});
    QPointer<CombinationOrderPage> cancelled = Open(TwoLegs());
    ASSERT_TRUE(cancelled);
    Click(*cancelled, "CancelButton");
    QPointer<CombinationOrderPage> closed = Open(TwoLegs());
    ASSERT_TRUE(closed);
    closed->close();
    ASSERT_TRUE(WaitUntil([&] { return record->Count(Topic::kCombinationOrderCancelled) == 2; }));
    EXPECT_TRUE(JournalOf(Host(), QStringLiteral("Order")).empty());

    QPointer<CombinationOrderPage> page = Open(TwoLegs());
    ASSERT_TRUE(page);
    EXPECT_TRUE(page->isVisible());
    QTableWidget* legs = page->Legs();
    ASSERT_EQ(legs->rowCount(), 2);
    auto cell = [&](int row, int column) { return legs->item(row, column)->text(); };
    EXPECT_EQ(cell(0, CombinationOrderPage::kCode), QString::fromStdString(call.code));
    EXPECT_EQ(cell(0, CombinationOrderPage::kDirection), QStringLiteral("买入"));
    EXPECT_EQ(cell(1, CombinationOrderPage::kDirection), QStringLiteral("卖出"));
    EXPECT_EQ(cell(1, CombinationOrderPage::kOffset), QStringLiteral("开仓"));
    EXPECT_EQ(cell(1, CombinationOrderPage::kCovered), QStringLiteral("非备兑"));
    EXPECT_EQ(cell(1, CombinationOrderPage::kVolume), QStringLiteral("2"));

    Click(*page, "ConfirmButton");
    ASSERT_TRUE(WaitUntil([&] { return record->Count(Topic::kCombinationOrderConfirmed) == 1; }));
    EXPECT_EQ(record->Count(Topic::kCombinationOrderCancelled), 2u);
    std::vector<std::string> sent;
    for (const Json::Value& entry : JournalOf(Host(), QStringLiteral("Order"))) {
        const Json::Value& order = Kora::Utility::Member(entry["Request"], "Order");
        sent.push_back(Kora::Utility::JsonText(order["Contract"], "ContractCode") + " " +
                       Kora::Utility::JsonText(order, "Direction"));
    }
    EXPECT_EQ(sent, (std::vector<std::string>{call.code + " 0", put.code + " 1"}));
    EXPECT_TRUE(!page || !page->isVisible()) << "the page goes once it is answered";
    EXPECT_TRUE(Host().AddinPublic().Pending().empty());
}

TEST_F(PagesTest, TheConditionalOrderPageShowsTheParametersAndTakesTheOrderOnlyWhenConfirmed) {
    Json::Value params(Json::objectValue);
    params["ExchangeCode"] = "SHSE-A";
    params["ContractCode"] = "600000";
    params["Trigger"]["Price"] = "7.80";
    QStringList shown;
    bool confirm = true;
    const ScopedModalRunner runner([&](QDialog& dialog) {
        auto* page = qobject_cast<Terminal::Ui::ConditionOrderPage*>(&dialog);
        for (int row = 0; page && row < page->Parameters()->rowCount(); ++row) {
            shown << page->Parameters()->item(row, 0)->text() + "=" +
                         page->Parameters()->item(row, 1)->text();
        }
        return int(confirm ? QDialog::Accepted : QDialog::Rejected);
    });

    const Json::Value taken = Host().Conditions().Execute(QStringLiteral("-808-@"), params);
    confirm = false;
    const Json::Value refused = Host().Conditions().Execute(QStringLiteral("-808-@"), params);

    EXPECT_EQ(shown.mid(0, 3),
              (QStringList{"ContractCode=600000", "ExchangeCode=SHSE-A", "Trigger.Price=7.80"}));
    EXPECT_EQ(Kora::Utility::JsonInt(taken, "ErrorCode", -1), 0);
    EXPECT_EQ(Kora::Utility::JsonInt(refused, "ErrorCode", -1), 3002);
    EXPECT_EQ(Host().Conditions().Orders().size(), 1u);
}

}  // namespace
}  // namespace TerminalUiTest
