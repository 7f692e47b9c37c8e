// The control library's spin edits: whole steps, typing, stepping, and what the owner hears. The
// owner hears what the user changed, never what it set itself: an owner that writes its figures
// into the fields on every quote must not hear them back.

#include <gtest/gtest.h>

#include <QTest>
#include <cmath>

#include "CKrAmountEdit.h"
#include "CKrAmountHSpinEdit.h"
#include "SpinValue.h"
#include "support/MessageRecorder.h"

namespace {

TEST(SpinValue, NormaliseCutsToWholeStepsTowardZeroAndFormatPrintsWholeNumbersAndFixedDecimalsOnly) {
    struct Case {
        double value, step;
        bool negative;
        double expected;
    };
    const Case cases[] = {
        {1250, 100, false, 1200}, {0.3, 0.1, false, 0.3},           {0.35, 0.1, false, 0.3},
        {-5, 1, false, 0},        {-1250, 100, true, -1200},        {7.5, 0, false, 7.5},
        {99, 100, false, 0},      {3.14159, 1e-17, false, 3.14159}, {1e13, 3, false, 1e13},
        {NAN, 1, false, 0},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(SpinValue::Normalise(c.value, c.step, c.negative), c.expected)
            << c.value << " step " << c.step;
    }
    EXPECT_EQ(SpinValue::Format(12.9, QStringLiteral("%d")), QStringLiteral("12"));
    EXPECT_EQ(SpinValue::Format(12.5, QStringLiteral("%.2f")), QStringLiteral("12.50"));
    EXPECT_EQ(SpinValue::Format(12.5, QStringLiteral("%f")), QStringLiteral("12.500000"));
    EXPECT_EQ(SpinValue::Format(12.5, QStringLiteral("%s%s%n")), QStringLiteral("12.5"))
        << "never handed to printf";
}

class SpinEdit : public ::testing::Test {
protected:
    void SetUp() override {
        spin = new CKrPriceHSpinEdit(&owner);
        spin->SetStep(100);
        spin->resize(120, 24);
        owner.show();
    }
    QString text() { return spin->Edit().text(); }
    void type(const QString& typed) {
        spin->Edit().clear();
        QTest::keyClicks(&spin->Edit(), typed);
    }

    MessageRecorder owner;
    CKrPriceHSpinEdit* spin = nullptr;
};

TEST_F(SpinEdit, TypedTextIsTakenAsTypedUnlessItVanishesAndTheOwnerHearsTypingButNotItsOwnValues) {
    spin->SetValue(1250);
    EXPECT_EQ(text(), QStringLiteral("1200"));
    spin->SetValue(-400);
    EXPECT_EQ(text(), QStringLiteral("0"));
    EXPECT_TRUE(owner.messages.empty());

    spin->SetValue(500);
    type(QStringLiteral("0"));
    EXPECT_EQ(spin->Value(), 0);
    type(QStringLiteral("0.000000001"));
    EXPECT_EQ(spin->Value(), 0) << "not taken";
    EXPECT_EQ(text(), QStringLiteral("0.000000001")) << "but left as typed";
    type(QStringLiteral("1250"));
    EXPECT_EQ(spin->Value(), 1250);
    EXPECT_EQ(spin->LastValues()[0], 1250);
    EXPECT_EQ(text(), QStringLiteral("1250")) << "typing is not rewritten";
    EXPECT_EQ(owner.Of(CKrPriceHSpinEdit::kValueTyped).size(), owner.messages.size());
    EXPECT_EQ(owner.messages.back().wParam, reinterpret_cast<Win::WPARAM>(spin));
    spin->Edit().editingFinished();
    EXPECT_EQ(text(), QStringLiteral("1200")) << "leaving the edit normalises";

    spin->SetStep(0.01);
    spin->SetFormat(QStringLiteral("%.2f"));
    spin->SetValue(3.14159);
    EXPECT_EQ(text(), QStringLiteral("3.14"));
    owner.messages.clear();
    type(QStringLiteral("2.5"));
    EXPECT_EQ(owner.Of(CKrPriceHSpinEdit::kValueTyped).size(), 4u) << "the clear and three keys";
}

TEST_F(SpinEdit, WheelButtonsAndKeysStepFromTheLastValuesAndTheOwnerHearsEachStep) {
    spin->SetValue(1200);
    QTest::mouseClick(spin, Qt::LeftButton, {}, QPoint(spin->width() - 5, 12));
    EXPECT_EQ(spin->Value(), 1300);
    QTest::mouseClick(spin, Qt::LeftButton, {}, QPoint(5, 12));
    EXPECT_EQ(spin->Value(), 1200);
    QWheelEvent up(QPointF(60, 12), spin->mapToGlobal(QPointF(60, 12)), {}, QPoint(0, 120), Qt::NoButton, {},
                   Qt::NoScrollPhase, false);
    QApplication::sendEvent(spin, &up);
    EXPECT_EQ(text(), QStringLiteral("1300"));
    QTest::keyClick(&spin->Edit(), Qt::Key_Down);
    QTest::keyClick(&spin->Edit(), Qt::Key_Down);
    EXPECT_EQ(text(), QStringLiteral("1100"));
    EXPECT_EQ(owner.Of(CKrPriceHSpinEdit::kValueStepped).size(), 5u);
    spin->SetValue(0);
    QTest::keyClick(&spin->Edit(), Qt::Key_Down);
    EXPECT_EQ(text(), QStringLiteral("0")) << "not below 0 without negatives";
}

TEST(AmountSpinEdit, TakesDigitsOnly) {
    CKrAmountHSpinEdit spin;
    spin.SetValue(4);
    spin.Edit().clear();
    QTest::keyClicks(&spin.Edit(), QStringLiteral("-1.5"));
    EXPECT_EQ(spin.Edit().text(), QStringLiteral("15"));
    spin.StepBy(1);
    EXPECT_EQ(spin.Edit().text(), QStringLiteral("16"));
}

}  // namespace
