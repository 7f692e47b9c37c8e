#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "CESwitch.h"

namespace {

TEST(CESwitch, TheUsersChoiceIsReportedAndTheOwnersIsNot) {
    CESwitch bar;
    for (const char* text : {"  成交量  ", "  成交额  ", "  净买量  "}) {
        bar.AddItem(QString::fromUtf8(text));
    }
    bar.resize(bar.sizeHint());
    bar.show();
    EXPECT_EQ(bar.GetCurSel(), 0) << "the first item is chosen once there is one";
    QSignalSpy chosen(&bar, &CESwitch::selectionChanged);

    QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.ItemRect(2).center());
    EXPECT_EQ(bar.GetCurSel(), 2);
    QTest::mouseClick(&bar, Qt::LeftButton, {}, bar.ItemRect(2).center());
    bar.SetCurSel(1);
    bar.SetCurSel(7);
    EXPECT_EQ(bar.GetCurSel(), 1);
    QTest::keyClick(&bar, Qt::Key_Left);
    QTest::keyClick(&bar, Qt::Key_Left);
    EXPECT_EQ(bar.GetCurSel(), 0);

    ASSERT_EQ(chosen.size(), 2)
        << "a click on the chosen item, the owner's choices and a key past the end say nothing";
    EXPECT_EQ(chosen[0][0].toInt(), 2);
    EXPECT_EQ(chosen[1][0].toInt(), 0);
}

}  // namespace
