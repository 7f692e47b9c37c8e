// The position and open-order panels and the themed button.

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "PixelProbe.h"
#include "ladder/COpenInfo.h"
#include "ladder/CPositionInfo.h"
#include "ladder/KrCButton.h"
#include "ladder/QuickMouseMessages.h"
#include "platform/ColorRef.h"
#include "support/MessageRecorder.h"

namespace {

using PixelProbe::Shows;

TEST(PositionPanel, ASideWithoutPositionShowsDashesAndTheProfitIsRedAboveZeroAndGreenOtherwise) {
    MessageRecorder parent;
    auto* panel = new CPositionInfo(&parent);
    panel->resize(120, 44);
    parent.show();
    const QRect profitArea(1, 23, 96, 20);
    panel->SetProfitText(QStringLiteral("35.0"));
    EXPECT_EQ(panel->ShownVolume(), QStringLiteral("—"));
    EXPECT_EQ(panel->ShownProfit(), QStringLiteral("—"));
    panel->SetVolumeText(QStringLiteral("—"));
    EXPECT_EQ(panel->ShownProfit(), QStringLiteral("—"));
    panel->SetVolumeText(QStringLiteral("7(3)"));
    EXPECT_EQ(panel->ShownVolume(), QStringLiteral("7(3)"));
    EXPECT_EQ(panel->ShownProfit(), QStringLiteral("35.0"));
    EXPECT_TRUE(Shows(panel->grab().toImage(), profitArea, 0x0000D7));
    panel->SetProfitText(QStringLiteral("0"));
    EXPECT_TRUE(Shows(panel->grab().toImage(), profitArea, 0x307100)) << "0 is green";
    EXPECT_FALSE(Shows(panel->grab().toImage(), profitArea, 0x0000D7));
    panel->SetProfitText(QStringLiteral("-8.0"));
    EXPECT_EQ(panel->ProfitColour(), 0x307100u);

    // The side column is framed and labelled in the side's colour.
    panel->SetSideColour(0x307100);
    panel->SetSideLabel(QStringLiteral("空"));
    const QImage image = panel->grab().toImage();
    EXPECT_EQ(image.pixel(panel->width() - 21, 10), Win::FromColorRef(0x307100).rgb());
    EXPECT_EQ(image.pixel(0, 10), Win::FromColorRef(0xAFA298).rgb());
    EXPECT_TRUE(Shows(image, QRect(panel->width() - 20, 2, 18, 18), 0x307100));
}

TEST(OpenPanel, DrawsBuyAndSellInTheirColoursAndDoubleClicksSendTheVolumeOfTheirHalfOutsideTheDeadBand) {
    MessageRecorder parent;
    auto* panel = new COpenInfo(&parent);
    panel->resize(100, 40);
    panel->SetTexts(QStringLiteral("12"), QStringLiteral("8"));
    parent.show();
    const QImage image = panel->grab().toImage();
    EXPECT_TRUE(Shows(image, QRect(4, 2, 90, 17), 0x2122C6));
    EXPECT_TRUE(Shows(image, QRect(4, 21, 90, 17), 0x307100));
    EXPECT_FALSE(Shows(image, QRect(4, 21, 90, 17), 0x2122C6));

    using V = std::vector<Win::WPARAM>;
    const auto volumesAfterDoubleClickAt = [&](QPoint pos) {
        parent.messages.clear();
        QTest::mouseDClick(panel, Qt::LeftButton, {}, pos);
        V volumes;
        for (const auto& message : parent.Of(QuickMouseMsg::kSetVolume)) {
            volumes.push_back(message.wParam);
        }
        return volumes;
    };
    EXPECT_EQ(volumesAfterDoubleClickAt(QPoint(10, 10)), V{12});
    EXPECT_EQ(volumesAfterDoubleClickAt(QPoint(10, 19)), V{12});
    EXPECT_EQ(volumesAfterDoubleClickAt(QPoint(10, 20)), V{}) << "the middle line";
    EXPECT_EQ(volumesAfterDoubleClickAt(QPoint(10, 21)), V{});
    EXPECT_EQ(volumesAfterDoubleClickAt(QPoint(10, 22)), V{8});
    EXPECT_EQ(volumesAfterDoubleClickAt(QPoint(2, 10)), V{}) << "left of the text";
    EXPECT_EQ(volumesAfterDoubleClickAt(QPoint(10, 2)), V{}) << "above the text";
    panel->SetTexts(QString(), QStringLiteral("n/a"));
    EXPECT_EQ(volumesAfterDoubleClickAt(QPoint(10, 10)), V{}) << "nothing to set";
    EXPECT_EQ(volumesAfterDoubleClickAt(QPoint(10, 30)), V{});
}

TEST(TradeButton, DrawsTheThemeImagesOfItsLookAndState) {
    QWidget window;
    auto* button = new KrCButton(QStringLiteral("下单"), KrCButton::Look::Stretched, &window);
    button->resize(80, 24);
    window.show();
    EXPECT_EQ(button->ImageNames(), (QStringList{QStringLiteral("交易普通拉伸按钮背景图左侧区-正常态"),
                                                 QStringLiteral("交易普通拉伸按钮背景图中间区-正常态"),
                                                 QStringLiteral("交易普通拉伸按钮背景图右侧区-正常态")}));
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), button->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(button, &enter);
    EXPECT_TRUE(button->IsHovered());
    EXPECT_TRUE(button->ImageNames().front().endsWith(QStringLiteral("悬浮态")));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    EXPECT_FALSE(button->IsHovered());
    button->setDown(true);
    EXPECT_TRUE(button->ImageNames().back().endsWith(QStringLiteral("选中态")));
    // The drawn default faces: a light face with a darker frame, never an empty button.
    const QImage image = button->grab().toImage();
    EXPECT_NE(image.pixel(40, 12), image.pixel(40, 0));

    KrCButton radio(QStringLiteral("开仓"), KrCButton::Look::Radio);
    radio.setChecked(true);
    radio.setEnabled(false);
    EXPECT_EQ(radio.ImageNames(), QStringList{QStringLiteral("交易单选按钮背景图选中-禁用态")});
    KrCButton check(QStringLiteral("FAK"), KrCButton::Look::Check);
    EXPECT_EQ(check.ImageNames(), QStringList{QStringLiteral("交易复选按钮背景图未选中-正常态")});
    KrCButton tall(QStringLiteral("买"), KrCButton::Look::VerticallyStretched);
    EXPECT_TRUE(tall.ImageNames()[2].startsWith(QStringLiteral("交易普通纵向拉伸按钮背景图底部区")));
}

}  // namespace
