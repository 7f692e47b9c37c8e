// The ladder under real mouse events: which requests reach its owner.

#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
#include <QTest>

#include "LadderScene.h"
#include "kernel/HostAccess.h"
#include "kora/interface/APIMgrI.h"
#include "kora/interface/HostI.h"
#include "kora/interface/KRTConfigI.h"
#include "quickmouse/CListEdit.h"
#include "quickmouse/LadderAssets.h"
#include "quickmouse/QuickMouseMessages.h"

namespace {

namespace I = Kora::Interface;
using Kora::Utility::Handle;
using LadderScene::RowOf;
using Request = LadderOwner::Request;

// Until the terminal's stand-in answers in tests, this host offers only the configuration,
// which is all the ladder asks of it: the trigger mode of "期货".
class ConfigOnlyHost : public I::HostI, public I::APIMgrI, public I::KRTConfigI {
public:
    int triggerMode = 1;

    Handle<I::ServiceInterfaceI> GetService(const QString& name) override {
        return name == I::APIMgrI::ServiceName()
                   ? Handle<I::ServiceInterfaceI>(static_cast<I::APIMgrI*>(this))
                   : Handle<I::ServiceInterfaceI>();
    }
    Handle<Kora::Utility::Shared> GetMsgCenter(const QString&) override { return {}; }
    bool CanCacheServices() override { return false; }
    bool RegisterService(Handle<I::ServiceInterfaceI>) override { return false; }
    bool UnregisterService(Handle<I::ServiceInterfaceI>) override { return false; }
    Handle<I::ServiceInterfaceI> GetService(const QString& name, bool) override {
        return name == I::KRTConfigI::ServiceName()
                   ? Handle<I::ServiceInterfaceI>(static_cast<I::KRTConfigI*>(this))
                   : Handle<I::ServiceInterfaceI>();
    }
    QString GetServiceName() const override { return {}; }
    QString GetVersionedName() const override { return {}; }
    int32_t GetServiceVersion() const override { return 1; }
    Kora::Utility::WStringMap GetServiceProperties() const override { return {}; }
    void OnServiceRegistered() override {}
    void OnServiceUnregistered() override {}
    Json::Value GetValue(const QString&, const QString&) override { return {}; }
    Json::Value GetSection(const QString&) override { return {}; }
    int32_t GetTriggerMode(const QString& category) override {
        return category == QStringLiteral("期货") ? triggerMode : -1;
    }
    Json::Value GetOrderSettings(const QString&, const Json::Value&) override { return {}; }
    I::ColorRef GetColor(const QString&) override { return 0; }
    QFont GetFont(const QString&) override { return {}; }
};

class LadderMouse : public ::testing::Test {
protected:
    void SetUp() override {
        owner.show();
        LadderScene::Populate(ladder());
    }

    CKRMouselist& ladder() { return owner.Ladder(); }
    QWidget* cells() { return ladder().viewport(); }
    QPoint at(double price, int column) { return ladder().CellRect(RowOf(ladder(), price), column).center(); }
    QPoint iconAt(double price, int column) {
        const int side = column == 0 ? 0 : 1;
        return CMouseOrderList::CancelIconRect(ladder().CellRect(RowOf(ladder(), price), column), side)
            .center();
    }
    void drag(QPoint from, QPoint to) {
        QTest::mousePress(cells(), Qt::LeftButton, {}, from);
        QTest::mouseMove(cells(), to);
        QTest::mouseRelease(cells(), Qt::LeftButton, {}, to);
    }
    std::vector<Request> sent(Win::UINT message) const {
        std::vector<Request> matching;
        for (const Request& request : owner.requests) {
            if (request.message == message) {
                matching.push_back(request);
            }
        }
        return matching;
    }

    LadderOwner owner;
};

TEST_F(LadderMouse, AClickOnAVolumeColumnPlacesAtThatRowAndElsewhereNothing) {
    QTest::mouseClick(cells(), Qt::LeftButton, {}, at(3507, 1));
    QTest::mouseClick(cells(), Qt::LeftButton, {}, at(3516, 3));
    QTest::mouseClick(cells(), Qt::LeftButton, {}, at(3509, 2));
    QTest::mouseClick(cells(), Qt::LeftButton, {}, at(3509, 0));
    const auto places = sent(QuickMouseMsg::kPlaceOrder);
    ASSERT_EQ(places.size(), 2u);
    EXPECT_EQ(places[0].text, QStringLiteral("3507"));
    EXPECT_EQ(places[0].direction, '0');
    EXPECT_EQ(places[1].text, QStringLiteral("3516"));
    EXPECT_EQ(places[1].direction, '1');
    EXPECT_EQ(owner.requests.size(), 2u);
}

TEST_F(LadderMouse, PlaceRequestsCarryTheRowsPriceOrALimitPrice) {
    ladder().PlaceOrder(RowOf(ladder(), 3510), 3, 0);
    ladder().PlaceOrder(0, 1, 1);
    ladder().PlaceOrder(0, 3, -1);
    ladder().PlaceOrder(RowOf(ladder(), 3510), 2, 0);
    ladder().PlaceOrder(9999, 1, 0);
    const auto places = sent(QuickMouseMsg::kPlaceOrder);
    ASSERT_EQ(places.size(), 3u) << "nothing from the price column or a row beyond the ladder";
    EXPECT_EQ(places[0].text, QStringLiteral("3510"));
    EXPECT_EQ(places[1].text, QStringLiteral("3700"));
    EXPECT_EQ(places[1].direction, '0');
    EXPECT_EQ(places[2].text, QStringLiteral("3300"));
    EXPECT_EQ(places[2].direction, '1');
}

TEST_F(LadderMouse, TheCancelIconCancelsEveryOrderOfItsCellOnce) {
    QTest::mouseClick(cells(), Qt::LeftButton, {}, iconAt(3505, 0));
    const auto cancels = sent(QuickMouseMsg::kCancelOrder);
    ASSERT_EQ(cancels.size(), 2u);
    EXPECT_EQ(cancels[0].text, QStringLiteral("B-1"));
    EXPECT_EQ(cancels[1].text, QStringLiteral("B-2"));
    EXPECT_EQ(cancels[0].direction, 48);
    EXPECT_TRUE(ladder().GetCellText(RowOf(ladder(), 3505), 0).isEmpty());
    EXPECT_TRUE(ladder().Texts().HeaderText(0).isEmpty());
    // Pressed on the icon but let go beside it: nothing.
    QTest::mousePress(cells(), Qt::LeftButton, {}, iconAt(3518, 4));
    QTest::mouseRelease(cells(), Qt::LeftButton, {}, at(3518, 3));
    EXPECT_EQ(sent(QuickMouseMsg::kCancelOrder).size(), 2u);
}

TEST_F(LadderMouse, DraggingASellOrderMovesOnItsOwnSideAndCancelsElsewhere) {
    drag(at(3518, 4), at(3521, 3));
    auto moves = sent(QuickMouseMsg::kMoveOrder);
    ASSERT_EQ(moves.size(), 1u);
    EXPECT_EQ(moves[0].text, QStringLiteral("S-1"));
    EXPECT_EQ(moves[0].targetPrice, QStringLiteral("3521"));
    EXPECT_TRUE(sent(QuickMouseMsg::kPlaceOrder).empty()) << "a move onto a volume column places nothing";
    drag(at(3518, 4), at(3520, 2));
    EXPECT_EQ(sent(QuickMouseMsg::kMoveOrder).size(), 2u) << "the price column is a target too";
    drag(at(3518, 4), at(3521, 1));
    const auto cancels = sent(QuickMouseMsg::kCancelOrder);
    ASSERT_EQ(cancels.size(), 1u) << "the buy-volume column is no target for a sell order";
    EXPECT_EQ(cancels[0].text, QStringLiteral("S-1"));
}

TEST_F(LadderMouse, ADragLetGoOutsideTheLadderOrOnItsHeaderCancels) {
    drag(at(3505, 0), QPoint(-30, 40));
    EXPECT_EQ(sent(QuickMouseMsg::kCancelOrder).size(), 2u);
    const QPoint header = ladder().Header().geometry().center() - ladder().viewport()->pos();
    drag(at(3518, 4), header);
    EXPECT_EQ(sent(QuickMouseMsg::kCancelOrder).size(), 3u);
    EXPECT_TRUE(sent(QuickMouseMsg::kMoveOrder).empty());
    EXPECT_FALSE(ladder().Model().Groups().Count());
}

TEST_F(LadderMouse, TheCursorTellsMoveFromCancelDuringADrag) {
    const QImage move = LadderAssets::LoadCursor(LadderAssets::kMoveCursor).pixmap().toImage();
    const QImage cancel = LadderAssets::LoadCursor(LadderAssets::kCancelCursor).pixmap().toImage();
    ASSERT_FALSE(move.isNull());
    ASSERT_NE(move, cancel);
    QTest::mousePress(cells(), Qt::LeftButton, {}, at(3505, 0));
    QTest::mouseMove(cells(), at(3509, 1));
    EXPECT_EQ(cells()->cursor().pixmap().toImage(), move);
    QTest::mouseMove(cells(), at(3509, 3));
    EXPECT_EQ(cells()->cursor().pixmap().toImage(), cancel);
    QTest::mouseRelease(cells(), Qt::LeftButton, {}, at(3509, 3));
    EXPECT_EQ(cells()->cursor().shape(), Qt::ArrowCursor);
}

TEST_F(LadderMouse, ReleasingOnThePressedCellEditsTheGroupsVolume) {
    QApplication::setActiveWindow(&owner);
    QTest::mouseClick(cells(), Qt::LeftButton, {}, at(3505, 0));
    CListEdit* editor = ladder().Editor();
    ASSERT_NE(editor, nullptr);
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->text(), QStringLiteral("3"));
    EXPECT_EQ(editor->cursorPosition(), 1);
    const QRect cell = ladder().CellRect(RowOf(ladder(), 3505), 0);
    const QRect icon = CMouseOrderList::CancelIconRect(cell, 0);
    EXPECT_GT(editor->geometry().left(), icon.right()) << "the editor leaves the icon free";
    QTest::keyClick(editor, Qt::Key_Backspace);
    QTest::keyClicks(editor, QStringLiteral("7"));
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_FALSE(editor->isVisible());
    QTRY_COMPARE(sent(QuickMouseMsg::kChangeVolume).size(), 1u);
    const Request change = sent(QuickMouseMsg::kChangeVolume)[0];
    EXPECT_EQ(change.text, QStringLiteral("7"));
    EXPECT_EQ(change.ids, (std::vector<QString>{QStringLiteral("B-1"), QStringLiteral("B-2")}));
}

TEST_F(LadderMouse, ScrollingEndsTheEdit) {
    QApplication::setActiveWindow(&owner);
    QTest::mouseClick(cells(), Qt::LeftButton, {}, at(3518, 4));
    ASSERT_TRUE(ladder().Editor()->isVisible());
    ladder().verticalScrollBar()->setValue(ladder().TopIndex() + 3);
    EXPECT_FALSE(ladder().Editor()->isVisible());
    QTRY_COMPARE(sent(QuickMouseMsg::kChangeVolume).size(), 1u);
}

TEST_F(LadderMouse, ADoubleClickOnAnOrderCellCancelsItsGroupWithoutAnEdit) {
    QApplication::setActiveWindow(&owner);
    QTest::mouseClick(cells(), Qt::LeftButton, {}, at(3505, 0));
    // The second click goes where a real one would: to the editor the first click opened.
    QWidget* under = cells()->childAt(at(3505, 0));
    ASSERT_EQ(under, ladder().Editor());
    QTest::mouseDClick(under, Qt::LeftButton, {}, under->mapFrom(cells(), at(3505, 0)));
    EXPECT_EQ(sent(QuickMouseMsg::kCancelOrder).size(), 2u);
    EXPECT_FALSE(ladder().Editor()->isVisible());
    QApplication::processEvents();
    EXPECT_TRUE(sent(QuickMouseMsg::kChangeVolume).empty());
}

TEST_F(LadderMouse, WithTheDoubleClickModeOnlyADoubleClickPlaces) {
    Handle<ConfigOnlyHost> host(new ConfigOnlyHost);
    Kora::Kernel::SetHost(host.Get());
    QTest::mouseClick(cells(), Qt::LeftButton, {}, at(3507, 1));
    EXPECT_TRUE(sent(QuickMouseMsg::kPlaceOrder).empty());
    QTest::mouseDClick(cells(), Qt::LeftButton, {}, at(3507, 1));
    EXPECT_EQ(sent(QuickMouseMsg::kPlaceOrder).size(), 1u);
    // The setting is asked each time: switched back, a single click places again.
    host->triggerMode = 0;
    QTest::mouseClick(cells(), Qt::LeftButton, {}, at(3507, 1));
    EXPECT_EQ(sent(QuickMouseMsg::kPlaceOrder).size(), 2u);
    Kora::Kernel::SetHost(nullptr);
}

class LadderHeaderMouse : public LadderMouse {
protected:
    QWidget* header() { return &ladder().Header(); }
    QPoint lowerLine(int column) { return ladder().Header().ColumnRect(column, true).center(); }
    QPoint headerIcon(int column) { return ladder().HeaderIconRect(column).center(); }
};

TEST_F(LadderHeaderMouse, TheHeaderIconCancelsTheWholeSide) {
    ladder().AddWorkingOrder({QStringLiteral("B-3"), 0, 3507, 4});
    QTest::mouseClick(header(), Qt::LeftButton, {}, headerIcon(0));
    const auto cancels = sent(QuickMouseMsg::kCancelOrder);
    ASSERT_EQ(cancels.size(), 3u);
    EXPECT_EQ(ladder().Model().Groups().Count(), 1) << "the sell order stays";
    EXPECT_TRUE(ladder().HeaderIconRect(0).isEmpty());
}

TEST_F(LadderHeaderMouse, DraggingFromTheHeaderMovesTheSideOrCancelsIt) {
    const QPoint drop = at(3508, 2) + ladder().viewport()->pos();
    QTest::mousePress(header(), Qt::LeftButton, {}, lowerLine(0));
    QTest::mouseMove(header(), drop);
    QTest::mouseRelease(header(), Qt::LeftButton, {}, drop);
    const auto moves = sent(QuickMouseMsg::kMoveOrder);
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(moves[0].targetPrice, QStringLiteral("3508"));
    // Let go inside the header: nothing; outside the ladder: the side is cancelled.
    QTest::mousePress(header(), Qt::LeftButton, {}, lowerLine(4));
    QTest::mouseRelease(header(), Qt::LeftButton, {}, lowerLine(3));
    EXPECT_TRUE(sent(QuickMouseMsg::kCancelOrder).empty());
    QTest::mousePress(header(), Qt::LeftButton, {}, lowerLine(4));
    QTest::mouseRelease(header(), Qt::LeftButton, {}, QPoint(500, 300));
    EXPECT_EQ(sent(QuickMouseMsg::kCancelOrder).size(), 1u);
}

TEST_F(LadderHeaderMouse, OnlyTheLowerLineOfAnOrderColumnActs) {
    QTest::mouseDClick(header(), Qt::LeftButton, {}, ladder().Header().ColumnRect(0).center());
    QTest::mouseDClick(header(), Qt::LeftButton, {}, lowerLine(2));
    EXPECT_TRUE(owner.requests.empty());
    QTest::mouseDClick(header(), Qt::LeftButton, {}, lowerLine(4));
    EXPECT_EQ(sent(QuickMouseMsg::kCancelOrder).size(), 1u);
}

}  // namespace
