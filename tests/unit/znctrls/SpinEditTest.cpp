// The control library's spin edits tell their owner what the user changed, never what the owner
// set: an owner that writes its figures into the fields on every quote must not hear them back.

#include <gtest/gtest.h>

#include <QTest>

#include "CKrAmountEdit.h"
#include "CKrAmountHSpinEdit.h"
#include "support/MessageRecorder.h"

namespace {

TEST(SpinEdit, OwnerHearsTypingAndStepsButNotItsOwnValues) {
    MessageRecorder owner;
    auto* spin = new CKrPriceHSpinEdit(&owner);
    spin->SetStep(0.01);
    spin->SetFormat(QStringLiteral("%.2f"));
    spin->resize(120, 24);
    owner.show();

    spin->SetValue(3.05);
    EXPECT_TRUE(owner.messages.empty());

    QTest::keyClick(&spin->Edit(), Qt::Key_Up);
    EXPECT_EQ(spin->Edit().text(), QStringLiteral("3.06"));
    ASSERT_EQ(owner.Of(CKrPriceHSpinEdit::kValueStepped).size(), 1u);
    EXPECT_EQ(owner.messages.back().wParam, reinterpret_cast<Win::WPARAM>(spin));

    spin->Edit().clear();
    QTest::keyClicks(&spin->Edit(), QStringLiteral("2.5"));
    EXPECT_EQ(spin->Value(), 2.5);
    EXPECT_EQ(owner.Of(CKrPriceHSpinEdit::kValueTyped).size(), 4u) << "the clear and three keys";
}

TEST(SpinEdit, AmountFieldTakesDigitsOnly) {
    CKrAmountHSpinEdit spin;
    spin.SetValue(4);
    spin.Edit().clear();
    QTest::keyClicks(&spin.Edit(), QStringLiteral("-1.5"));
    EXPECT_EQ(spin.Edit().text(), QStringLiteral("15"));
    spin.StepBy(1);
    EXPECT_EQ(spin.Edit().text(), QStringLiteral("16"));
}

}  // namespace
