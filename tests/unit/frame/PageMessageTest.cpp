#include <gtest/gtest.h>

#include <QWidget>

#include "frame/DlgFrame.h"
#include "frame/QuickMousePages.h"
#include "quickmouse/DlgQuickMouse.h"

namespace I = Kora::Interface;

namespace {

I::PageMessage Page(int id, const char* text) {
    I::PageMessage m;
    m.messageId = id;
    m.pageText = QString::fromUtf8(text);
    m.workArea = QRect(10, 20, 820, 740);
    return m;
}

TEST(QuickMousePage, OpeningTwiceReusesTheFrameAndCloseRemovesIt) {
    QWidget* first = QuickMousePages::OnPageMessage(Page(I::kPageOpen, "KRTTools-798-@"));
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->geometry(), QRect(10, 20, 820, 740));
    // The stock window fills the frame but for 5 pixels on each side.
    auto* frame = qobject_cast<DlgFrame*>(first);
    ASSERT_NE(frame, nullptr);
    ASSERT_NE(frame->Child(), nullptr);
    EXPECT_EQ(frame->Child()->TemplateId(), 11000);
    EXPECT_EQ(frame->Child()->geometry(), QRect(5, 5, 810, 730));
    EXPECT_EQ(QuickMousePages::OnPageMessage(Page(I::kPageOpen, "x-798")), first);

    EXPECT_EQ(QuickMousePages::OnPageMessage(Page(I::kPageClose, "KRTTools-798-@")), nullptr);
    QWidget* reopened = QuickMousePages::OnPageMessage(Page(I::kPageOpen, "KRTTools-798-@"));
    ASSERT_NE(reopened, nullptr);
    QuickMousePages::OnPageMessage(Page(I::kPageClose, "KRTTools-798-@"));
}

TEST(QuickMousePage, OtherPagesByTheSecondDashFieldAndOtherMessagesChangeNothing) {
    EXPECT_EQ(QuickMousePages::OnPageMessage(Page(I::kPageOpen, "KRTTools-797-@")), nullptr);
    EXPECT_EQ(QuickMousePages::OnPageMessage(Page(I::kPageOpen, "798")), nullptr);
    EXPECT_EQ(QuickMousePages::OnPageMessage(Page(1003, "KRTTools-798-@")), nullptr);
    // Closing when nothing is open is harmless.
    EXPECT_EQ(QuickMousePages::OnPageMessage(Page(I::kPageClose, "KRTTools-798-@")), nullptr);

    // The page number is the second dash field.
    EXPECT_EQ(QuickMousePages::PageNumberOf("KRTTools-798-@"), 798);
    EXPECT_EQ(QuickMousePages::PageNumberOf("a- 798 -b"), 798);
    EXPECT_EQ(QuickMousePages::PageNumberOf("a-7980000000000000000000000000000000-b"), -1);
    EXPECT_EQ(QuickMousePages::PageNumberOf("a-x-b"), -1);
    EXPECT_EQ(QuickMousePages::PageNumberOf(""), -1);
}

TEST(ToolFrame, StandAloneFrameOpensOnceAndCloses) {
    EXPECT_FALSE(QuickMousePages::CloseStandAloneFrame());
    EXPECT_TRUE(QuickMousePages::OpenStandAloneFrame());
    EXPECT_TRUE(QuickMousePages::OpenStandAloneFrame());
    EXPECT_TRUE(QuickMousePages::CloseStandAloneFrame());
    EXPECT_FALSE(QuickMousePages::CloseStandAloneFrame());
}

}  // namespace
