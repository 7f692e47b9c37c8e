// The price and volume spin edit: normalisation, typing, stepping and its messages.

#include <gtest/gtest.h>

#include <QTest>
#include <cmath>

#include "support/MessageRecorder.h"
#include "ladder/CPriceHSpinEdit.h"
#include "CKrAmountEdit.h"
#include "ladder/QuickMouseMessages.h"
#include "SpinValue.h"

namespace {

TEST(SpinValueNormalise, CutsToWholeStepsTowardZero) {
    struct Case {
        double value, step;
        bool negative;
        double expected;
    };
    const Case cases[] = {
        {1250, 100, false, 1200}, {1300, 100, false, 1300},
        {0.3, 0.1, false, 0.3},   {0.35, 0.1, false, 0.3},
        {-5, 1, false, 0},        {-1250, 100, true, -1200},
        {7.5, 0, false, 7.5},     {3.14159, 1e-17, false, 3.14159},
        {99, 100, false, 0},      {1e13, 3, false, 1e13},
        {NAN, 1, false, 0},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(SpinValue::Normalise(c.value, c.step, c.negative), c.expected)
            << c.value << " step " << c.step;
    }
}

TEST(SpinValueFormat, PrintsWholeNumbersAndFixedDecimalsOnly) {
    EXPECT_EQ(SpinValue::Format(12.9, QStringLiteral("%d")), QStringLiteral("12"));
    EXPECT_EQ(SpinValue::Format(12.5, QStringLiteral("%.2f")), QStringLiteral("12.50"));
    EXPECT_EQ(SpinValue::Format(12.5, QStringLiteral("%f")), QStringLiteral("12.500000"));
    EXPECT_EQ(SpinValue::Format(12.5, QStringLiteral("%s%s%n")), QStringLiteral("12.5"))
        << "never handed to printf";
}

class PriceSpinEdit : public ::testing::Test {
protected:
    void SetUp() override {
        spin = new CPriceHSpinEdit(&parent);
        spin->SetStep(100);
        spin->resize(120, 24);
        parent.show();
    }
    QString text() { return spin->Edit().text(); }
    void type(const QString& typed) {
        spin->Edit().clear();
        QTest::keyClicks(&spin->Edit(), typed);
    }

    MessageRecorder parent;
    CPriceHSpinEdit* spin = nullptr;
};

TEST_F(PriceSpinEdit, ValuesSetAreNormalisedAndShownInTheFormat) {
    spin->SetValue(1250);
    EXPECT_EQ(text(), QStringLiteral("1200"));
    spin->SetValue(-400);
    EXPECT_EQ(text(), QStringLiteral("0"));
    spin->SetStep(0.01);
    spin->SetFormat(QStringLiteral("%.2f"));
    spin->SetValue(3.14159);
    EXPECT_EQ(text(), QStringLiteral("3.14"));
}

TEST_F(PriceSpinEdit, TypedTextIsTakenUnlessItVanishesButTheParentHearsOfEveryChange) {
    spin->SetValue(500);
    parent.messages.clear();
    type(QStringLiteral("0"));
    EXPECT_EQ(spin->Value(), 0);
    EXPECT_EQ(spin->LastValues()[0], 0);
    type(QStringLiteral("0.000000001"));
    EXPECT_EQ(spin->Value(), 0) << "not taken";
    EXPECT_EQ(text(), QStringLiteral("0.000000001")) << "but left as typed";
    const auto changes = parent.Of(QuickMouseMsg::kSpinEditChanged);
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes.size(), parent.messages.size());
    EXPECT_EQ(changes.back().wParam, reinterpret_cast<Win::WPARAM>(spin));
    type(QStringLiteral("1250"));
    EXPECT_EQ(spin->Value(), 1250);
    EXPECT_EQ(text(), QStringLiteral("1250")) << "typing is not rewritten";
    spin->Edit().editingFinished();
    EXPECT_EQ(text(), QStringLiteral("1200")) << "leaving the edit normalises";
}

TEST_F(PriceSpinEdit, WheelButtonsAndKeysStepFromTheLastValues) {
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
    spin->SetValue(0);
    QTest::keyClick(&spin->Edit(), Qt::Key_Down);
    EXPECT_EQ(text(), QStringLiteral("0")) << "not below 0 without negatives";
}

TEST_F(PriceSpinEdit, TakesTheLargerOrSmallerLastValueAndPassesSelectionsOn) {
    spin->SetValue(700);
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
