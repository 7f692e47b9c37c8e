// The quick-mouse windows' spin edit: unlike the control library's, it tells its parent of every
// change, the program's too, takes the larger or smaller last value and passes selections on.

#include <gtest/gtest.h>

#include "CKrAmountEdit.h"
#include "ladder/CPriceHSpinEdit.h"
#include "ladder/QuickMouseMessages.h"
#include "support/MessageRecorder.h"

namespace {

TEST(QuickMouseSpinEdit, TellsEveryChangeTakesTheLastValueAskedForAndPassesSelectionsOn) {
    MessageRecorder parent;
    auto* spin = new CPriceHSpinEdit(&parent);
    spin->SetStep(100);
    spin->SetValue(500);
    spin->Edit().setText(QStringLiteral("700"));
    const auto changes = parent.Of(QuickMouseMsg::kSpinEditChanged);
    ASSERT_EQ(changes.size(), 2u);
    EXPECT_EQ(changes.size(), parent.messages.size());
    EXPECT_EQ(changes.back().wParam, reinterpret_cast<Win::WPARAM>(spin));

    Win::SendMessage(spin, QuickMouseMsg::kSpinEditTakeLast, static_cast<Win::WPARAM>(-1), 0);
    EXPECT_EQ(spin->Value(), 700);
    Win::SendMessage(spin, QuickMouseMsg::kSelectionIndex, 3, 9);
    EXPECT_EQ(spin->SelectionIndex(), 3);
    const auto passed = parent.Of(QuickMouseMsg::kSelectionIndex);
    ASSERT_EQ(passed.size(), 1u);
    EXPECT_EQ(passed[0].wParam, 3u);
    EXPECT_EQ(passed[0].lParam, 9);
}

}  // namespace
