// What the futures quick-mouse window sends the terminal when the ladder is clicked, dragged
// and edited, and what it makes of the answers.

#include <QCheckBox>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include "FutqmWindow.h"
#include "KRUI.h"
#include "kora/interface/Topics.h"
#include "kora/utility/JsonAccess.h"
#include "ladder/CListEdit.h"
#include "ladder/CPriceHSpinEdit.h"
#include "ladder/LadderAssets.h"
#include "support/JsonOf.h"
#include "support/UserInput.h"

namespace {

using Kora::Utility::JsonText;
using Terminal::Market::PositionSide;

constexpr int kBuyOrders = 0;
constexpr int kBuyVolume = 1;
constexpr int kSellVolume = 3;
constexpr int kSellOrders = 4;

class FutqmOrders : public FutqmWindow {
protected:
    void SetUp() override {
        FutqmWindow::SetUp();
        Open();
        Quote(3000);
    }

    const OrderGroup* GroupAt(double price, int side) {
        const int row = Ladder().Model().Scale().RowOf(price);
        return Ladder().Model().Groups().At(Ladder().Model().Groups().Find(row, side));
    }
    // The cancel icon of an order cell, its row scrolled into view.
    QRect CancelIcon(double price, int column) {
        Cell(price, column);
        const QRect cell = Ladder().CellRect(Ladder().Model().Scale().RowOf(price), column);
        return CMouseOrderList::CancelIconRect(cell, column == kBuyOrders ? 0 : 1);
    }
    QImage CursorImage() { return Ladder().viewport()->cursor().pixmap().toImage(); }
    // Opens the volume editor over the buy orders at a price and enters a volume.
    void EditVolume(double price, const QString& volume) {
        ClickCell(price, kBuyOrders);
        CListEdit* editor = Ladder().Editor();
        ASSERT_NE(editor, nullptr);
        ASSERT_TRUE(editor->IsOpen());
        TypeOver(*editor, volume);
        QTest::keyClick(editor, Qt::Key_Return);
        Pump();
    }
};

TEST_F(FutqmOrders,
       AClickOnTheBuyColumnSendsALimitOrderThatAppearsOnTheLadderAndADoubleClickCancelsItsGroup) {
    ClickCell(2995, kBuyVolume);

    const auto orders = Orders();
    ASSERT_EQ(orders.size(), 1u);
    const Json::Value& request = orders[0]["Request"];
    EXPECT_EQ(JsonText(request, "EAccountID"), "E1008");
    EXPECT_FALSE(request["ReorderEnable"].asBool());
    EXPECT_FALSE(request["CancelOrderEnable"].asBool());
    EXPECT_EQ(JsonText(request["Order"]["Contract"], "ContractCode"), Meal().code);
    const Json::Value ext = JsonOf(R"({"54": "DCE", "117": "0", "112": "0", "119": "1", "40": "2",
        "129": "2995", "130": "1", "41": "3", "42": "1"})");
    for (const std::string& key : ext.getMemberNames()) {
        EXPECT_EQ(Ext(orders[0], key.c_str()), ext[key].asString()) << key;
    }

    // The two order lines, in order, under the window's title.
    auto log = Host().Engine().LogEntries();
    auto line = std::find_if(log.begin(), log.end(), [](const auto& entry) {
        return entry.text == QStringLiteral("常规|快鼠下单板准备下单");
    });
    ASSERT_NE(line, log.end());
    ASSERT_NE(line + 1, log.end());
    EXPECT_EQ(line[1].text,
              QString::fromStdString(Meal().code) + QStringLiteral("|0|0|1|2995|1|2|3|1|手动下单|快鼠下单"));
    EXPECT_EQ(line[1].level, 10);
    EXPECT_EQ(line[1].extra1, QStringLiteral("3002"));
    EXPECT_EQ(line[1].source, QStringLiteral("快鼠下单板"));

    Pump();
    const OrderGroup* group = GroupAt(2995, 0);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->volume, 1);
    EXPECT_EQ(*group->ids.begin(), JsonText(WorkingOrders("E1008").at(0), "OrderID").c_str());

    // A second order joins the cell; a double click as the trader makes it (its first click
    // opens the volume editor, which takes the second) cancels both and edits nothing.
    ClickCell(2995, kBuyVolume);
    Pump();
    const std::set<QString> ids = GroupAt(2995, 0)->ids;
    ASSERT_EQ(ids.size(), 2u);
    ClickCell(2995, kBuyOrders);
    QWidget* under = Ladder().viewport()->childAt(Cell(2995, kBuyOrders));
    ASSERT_EQ(under, Ladder().Editor());
    QTest::mouseDClick(under, Qt::LeftButton, {},
                       under->mapFrom(Ladder().viewport(), Cell(2995, kBuyOrders)));
    Pump();
    const auto cancels = Cancels();
    ASSERT_EQ(cancels.size(), 2u);
    for (const Json::Value& cancel : cancels) {
        EXPECT_TRUE(ids.count(QString::fromStdString(JsonText(cancel["Request"], "OrderID"))));
    }
    log = Host().Engine().LogEntries();
    for (const QString& id : ids) {
        EXPECT_TRUE(std::any_of(log.begin(), log.end(), [&](const auto& entry) {
            return entry.text == id + QStringLiteral("|快鼠撤单") && entry.extra1 == QStringLiteral("3004");
        })) << id.toStdString();
    }
    EXPECT_FALSE(Ladder().Editor()->isVisible());
    EXPECT_TRUE(t.boxes.empty()) << "no volume change was asked for";
    EXPECT_EQ(GroupAt(2995, 0), nullptr);
    EXPECT_TRUE(WorkingOrders("E1008").empty());
}

TEST_F(FutqmOrders, InTheDoubleClickModeOnlyADoubleClickPlacesAndTheModeIsAskedEachTime) {
    const auto setMode = [&](int mode) {
        Host().Config().ChangeValue(QStringLiteral("触发方式"), QStringLiteral("期货"), mode);
    };
    setMode(1);
    ClickCell(2995, kBuyVolume);
    EXPECT_TRUE(Orders().empty());
    QTest::mouseDClick(Ladder().viewport(), Qt::LeftButton, {}, Cell(2995, kBuyVolume));
    EXPECT_EQ(Orders().size(), 1u);
    setMode(0);
    ClickCell(2995, kBuyVolume);
    EXPECT_EQ(Orders().size(), 2u);
}

TEST_F(FutqmOrders, TheTradingPasswordIsAskedWhenRequiredAndOnlyTheRightOneLetsTheOrderGo) {
    std::vector<QString> prompts;
    std::optional<QString> typed = QStringLiteral("000000");
    PasswordPrompt previous = KRUI_SetPasswordPrompt([&](QWidget*, const QString& title) {
        prompts.push_back(title);
        return typed;
    });
    auto sent = [&] { return Orders().size(); };
    ClickCell(2995, kBuyVolume);
    EXPECT_TRUE(prompts.empty());
    EXPECT_EQ(sent(), 1u);

    Host().Engine().SetPasswordRequired(true);
    ClickCell(2995, kBuyVolume);
    EXPECT_EQ(prompts.size(), 1u);
    EXPECT_EQ(sent(), 1u);
    typed = QStringLiteral("123456");
    ClickCell(2995, kBuyVolume);
    EXPECT_EQ(sent(), 2u);

    // The order settings of the futures may ask for it on every order too.
    Host().Engine().SetPasswordRequired(false);
    Json::Value settings(Json::objectValue);
    settings["NeedPassword"] = true;
    Host().Config().ChangeValue(QStringLiteral("下单设置"), QStringLiteral("期货"), settings);
    typed.reset();
    ClickCell(2995, kBuyVolume);
    EXPECT_EQ(prompts.size(), 3u);
    EXPECT_EQ(sent(), 2u);
    KRUI_SetPasswordPrompt(std::move(previous));
}

TEST_F(FutqmOrders, AutomaticOffsetDisablesTheRadiosAndNetsEveryOrder) {
    auto* automatic = Control<QCheckBox>(9010);
    automatic->click();
    for (int id : {9001, 9002, 9003}) {
        EXPECT_FALSE(Control<QRadioButton>(id)->isEnabled()) << id;
    }
    Control<QRadioButton>(9002)->setChecked(true);
    ClickCell(2995, kBuyVolume);
    ClickCell(3005, kSellVolume);

    automatic->click();
    EXPECT_TRUE(Control<QRadioButton>(9001)->isEnabled());
    ClickCell(2994, kBuyVolume);

    const auto orders = Orders();
    ASSERT_EQ(orders.size(), 3u);
    EXPECT_EQ(Ext(orders[0], "117"), "3");
    EXPECT_EQ(Ext(orders[1], "117"), "3");
    EXPECT_EQ(Ext(orders[2], "117"), "1");
}

TEST_F(FutqmOrders, FakAndFokExcludeEachOtherAndSetTheTimeCondition) {
    auto* fak = Control<QCheckBox>(9024);
    auto* fok = Control<QCheckBox>(9025);
    struct Step {
        QCheckBox* click;
        bool fakChecked, fokChecked;
        const char* timeCondition;
        const char* volumeCondition;
    };
    const Step steps[] = {{fak, true, false, "1", "1"},
                          {fok, false, true, "1", "3"},
                          {fak, true, false, "1", "1"},
                          {fak, false, false, "3", "1"}};
    for (const Step& step : steps) {
        step.click->click();
        EXPECT_EQ(fak->isChecked(), step.fakChecked);
        EXPECT_EQ(fok->isChecked(), step.fokChecked);
        ClickCell(2990, kBuyVolume);
        EXPECT_EQ(Ext(Orders().back(), "41"), step.timeCondition);
        EXPECT_EQ(Ext(Orders().back(), "42"), step.volumeCondition);
    }
}

TEST_F(FutqmOrders,
       MovingTwoOrdersAtOnePriceCancelsBothThenReordersWhatIsLeftOfEachOnceItsCancelIsConfirmed) {
    Control<CPriceHSpinEdit>(11001)->SetValue(3);
    ClickCell(2990, kBuyVolume);
    ClickCell(2990, kBuyVolume);
    Pump();
    ASSERT_NE(GroupAt(2990, 0), nullptr);
    ASSERT_EQ(GroupAt(2990, 0)->ids.size(), 2u);
    ASSERT_TRUE(Host().Market().FillOrder(JsonText(WorkingOrders("E1008").at(0), "OrderID"), 2));
    Pump();

    // Let go on the buy-volume column: a move, not a new order there.
    Drag(2990, kBuyOrders, 2985, kBuyVolume);
    EXPECT_EQ(Cancels().size(), 2u);
    // Nothing is re-sent before the terminal confirms the cancels.
    EXPECT_EQ(Orders().size(), 2u);
    EXPECT_EQ(Dialog().Presenter().PendingReorders().size(), 2u);

    Pump();
    const auto orders = Orders();
    ASSERT_EQ(orders.size(), 4u);
    std::multiset<std::string> volumes;
    for (size_t i = 2; i < 4; ++i) {
        EXPECT_EQ(Ext(orders[i], "129"), "2985");
        EXPECT_EQ(Ext(orders[i], "112"), "0");
        volumes.insert(Ext(orders[i], "130"));
    }
    EXPECT_EQ(volumes, (std::multiset<std::string>{"1", "3"})) << "only what was left of the filled one";
    EXPECT_TRUE(Dialog().Presenter().PendingReorders().empty());
    EXPECT_EQ(GroupAt(2990, 0), nullptr);
    ASSERT_NE(GroupAt(2985, 0), nullptr);
    EXPECT_EQ(GroupAt(2985, 0)->volume, 4);
    const auto log = Host().Engine().LogEntries();
    EXPECT_EQ(std::count_if(
                  log.begin(), log.end(),
                  [](const auto& e) { return e.text == QStringLiteral("常规|快鼠改单撤单完成，准备下单"); }),
              2);
}

TEST_F(FutqmOrders, AVolumeChangeOverMixedOffsetsIsRefusedAndSendsNothing) {
    ASSERT_TRUE(Host().Market().AddPosition("E1008", Meal().index, PositionSide::Short, 5, Units(3000)));
    ClickCell(2990, kBuyVolume);
    Control<QRadioButton>(9002)->click();
    ClickCell(2990, kBuyVolume);
    Pump();
    ASSERT_EQ(GroupAt(2990, 0)->ids.size(), 2u);

    EditVolume(2990, QStringLiteral("5"));
    ASSERT_EQ(t.boxes.size(), 1u);
    EXPECT_EQ(t.boxes[0].text, QStringLiteral("存在开平标志不一致的挂单,不允许更改挂单数量"));
    EXPECT_EQ(t.boxes[0].title, QStringLiteral("提示"));
    EXPECT_TRUE(Cancels().empty());
    EXPECT_EQ(Orders().size(), 2u);
}

TEST_F(FutqmOrders, AVolumeChangeAsksFirstThenReplacesTheGroupByOneOrderButNotWhenACancelIsRefused) {
    ClickCell(2990, kBuyVolume);
    ClickCell(2990, kBuyVolume);
    Pump();

    // The editor opens on the group's volume, clear of the cancel icon; a scroll ends the edit
    // as Return does.
    ClickCell(2990, kBuyOrders);
    CListEdit* editor = Ladder().Editor();
    ASSERT_TRUE(editor->IsOpen());
    EXPECT_EQ(editor->text(), QStringLiteral("2"));
    EXPECT_EQ(editor->cursorPosition(), 1);
    EXPECT_GT(editor->geometry().left(), CancelIcon(2990, kBuyOrders).right()) << "the icon stays free";
    TypeOver(*editor, QStringLiteral("5"));
    t.answer = Win::IDCANCEL;
    Ladder().verticalScrollBar()->setValue(Ladder().TopIndex() + 3);
    EXPECT_FALSE(editor->isVisible());
    Pump();
    ASSERT_EQ(t.boxes.size(), 1u);
    EXPECT_EQ(t.boxes[0].text, QStringLiteral("改单确认"));
    EXPECT_TRUE(Cancels().empty());
    EXPECT_EQ(Orders().size(), 2u);

    t.answer = Win::IDOK;
    EditVolume(2990, QStringLiteral("5"));
    EXPECT_EQ(Cancels().size(), 2u);
    auto orders = Orders();
    ASSERT_EQ(orders.size(), 3u);
    EXPECT_EQ(Ext(orders[2], "130"), "5");
    EXPECT_EQ(Ext(orders[2], "129"), "2990");
    EXPECT_EQ(Ext(orders[2], "117"), "0");
    ASSERT_NE(GroupAt(2990, 0), nullptr);
    EXPECT_EQ(GroupAt(2990, 0)->volume, 5);

    // A fresh lot joins the cell and fills while the confirmation is open: its cancel is
    // refused, and no replacement may buy it again.
    ClickCell(2990, kBuyVolume);
    Pump();
    const Json::Value fresh = WorkingOrders("E1008").back();
    ASSERT_EQ(JsonText(fresh, "130"), "1");
    t.whileOpen = [&](const Win::MessageBoxRequest& box) {
        if (box.text == QStringLiteral("改单确认")) {
            ASSERT_TRUE(Host().Market().FillOrder(JsonText(fresh, "OrderID"), 1));
        }
    };
    EditVolume(2990, QStringLiteral("7"));
    t.whileOpen = nullptr;
    EXPECT_EQ(Orders().size(), 4u);
    EXPECT_EQ(t.BoxTexts().last(), QStringLiteral("部分挂单撤单失败，未发送新委托"));
}

TEST_F(FutqmOrders, PlacingFromCodeTakesTheDaysLimitOfItsModeAndNothingOffTheVolumeColumnsOrTheLadder) {
    Ladder().PlaceOrder(0, kBuyVolume, 1);
    Ladder().PlaceOrder(0, kSellVolume, -1);
    Ladder().PlaceOrder(Ladder().Model().Scale().RowOf(3000), 2, 0);
    Ladder().PlaceOrder(99999, kBuyVolume, 0);
    const auto orders = Orders();
    ASSERT_EQ(orders.size(), 2u);
    EXPECT_EQ(Ext(orders[0], "129"), "3210");
    EXPECT_EQ(Ext(orders[0], "112"), "0");
    EXPECT_EQ(Ext(orders[1], "129"), "2790");
    EXPECT_EQ(Ext(orders[1], "112"), "1");
}

TEST_F(FutqmOrders, CancelIconsCancelTheirCellOrTheWholeSideAndADragShowsWhereItWouldGo) {
    ClickCell(2990, kBuyVolume);
    ClickCell(2990, kBuyVolume);
    ClickCell(2988, kBuyVolume);
    ClickCell(2986, kBuyVolume);
    ClickCell(3008, kSellVolume);
    Pump();
    QTest::mouseClick(Ladder().viewport(), Qt::LeftButton, {}, CancelIcon(2990, kBuyOrders).center());
    EXPECT_EQ(Cancels().size(), 2u);
    EXPECT_EQ(GroupAt(2990, 0), nullptr);

    // The cursor tells a move from a cancel; let go outside the ladder, the drag cancels.
    const QImage move = LadderAssets::LoadCursor(LadderAssets::kMoveCursor).pixmap().toImage();
    const QImage cancel = LadderAssets::LoadCursor(LadderAssets::kCancelCursor).pixmap().toImage();
    ASSERT_FALSE(move.isNull());
    ASSERT_NE(move, cancel);
    QTest::mousePress(Ladder().viewport(), Qt::LeftButton, {}, Cell(2988, kBuyOrders));
    QTest::mouseMove(Ladder().viewport(), Cell(2992, kBuyVolume));
    EXPECT_EQ(CursorImage(), move);
    QTest::mouseMove(Ladder().viewport(), Cell(2992, kSellVolume));
    EXPECT_EQ(CursorImage(), cancel);
    QTest::mouseMove(Ladder().viewport(), QPoint(-30, 40));
    QTest::mouseRelease(Ladder().viewport(), Qt::LeftButton, {}, QPoint(-30, 40));
    EXPECT_EQ(Ladder().viewport()->cursor().shape(), Qt::ArrowCursor);
    EXPECT_EQ(Cancels().size(), 3u);

    QTest::mouseClick(&Ladder().Header(), Qt::LeftButton, {}, Ladder().HeaderIconRect(kBuyOrders).center());
    EXPECT_EQ(Cancels().size(), 4u);
    Pump();
    ASSERT_EQ(WorkingOrders("E1008").size(), 1u) << "the sell order stays";
    EXPECT_TRUE(Ladder().HeaderIconRect(kBuyOrders).isEmpty());
}

TEST_F(FutqmOrders, DraggingFromTheHeaderMovesTheWholeSideOrCancelsIt) {
    ClickCell(2996, kBuyVolume);
    ClickCell(2994, kBuyVolume);
    ClickCell(3004, kSellVolume);
    Pump();
    const auto lowerLine = [&](int column) { return Ladder().Header().ColumnRect(column, true).center(); };
    const QPoint drop = Cell(2998, 2) + Ladder().viewport()->pos();
    QTest::mousePress(&Ladder().Header(), Qt::LeftButton, {}, lowerLine(kBuyOrders));
    QTest::mouseMove(&Ladder().Header(), drop);
    QTest::mouseRelease(&Ladder().Header(), Qt::LeftButton, {}, drop);
    EXPECT_EQ(Cancels().size(), 2u);
    Pump();
    const auto orders = Orders();
    ASSERT_EQ(orders.size(), 5u);
    EXPECT_EQ(Ext(orders[3], "129"), "2998");
    EXPECT_EQ(Ext(orders[4], "129"), "2998");

    QTest::mousePress(&Ladder().Header(), Qt::LeftButton, {}, lowerLine(kSellOrders));
    QTest::mouseRelease(&Ladder().Header(), Qt::LeftButton, {}, QPoint(500, 300));
    EXPECT_EQ(Cancels().size(), 3u);
}

TEST_F(FutqmOrders, ASmartOrderThatFailsShowsTheTerminalsErrorText) {
    auto notices = Host().Record({Kora::Interface::Topic::kReorderNotifyInfo});
    // More than the account's money can pay for.
    Control<CPriceHSpinEdit>(11001)->SetValue(100000);
    ClickCell(2995, kBuyVolume);
    Pump();
    std::string error;
    for (const Json::Value& notice : notices->Payloads(Kora::Interface::Topic::kReorderNotifyInfo)) {
        if (notice["State"].asInt() == 4) {
            error = JsonText(notice, "ErrorMsg");
        }
    }
    ASSERT_FALSE(error.empty());
    ASSERT_EQ(t.boxes.size(), 1u);
    EXPECT_EQ(t.boxes[0].text.toStdString(), error);
    EXPECT_EQ(t.boxes[0].title, QStringLiteral("提示"));
    EXPECT_TRUE(Dialog().Presenter().Sender().Tracker().Ids().isEmpty());
}

TEST_F(FutqmOrders, WithoutALoggedInAccountNothingIsSent) {
    ClickCell(2990, kBuyVolume);
    Pump();
    ASSERT_NE(GroupAt(2990, 0), nullptr);
    ASSERT_TRUE(Host().SetLoggedIn("E1008", false));
    Pump();

    ClickCell(2991, kBuyVolume);
    Drag(2990, kBuyOrders, 2985, kBuyOrders);
    QTest::mouseDClick(Ladder().viewport(), Qt::LeftButton, {}, Cell(2985, kBuyOrders));
    Dialog().Presenter().ChangeVolume({QStringLiteral("any")}, QStringLiteral("3"));
    Pump();
    EXPECT_EQ(Orders().size(), 1u);
    EXPECT_TRUE(Cancels().empty());
    EXPECT_TRUE(t.boxes.empty());
}

}  // namespace
