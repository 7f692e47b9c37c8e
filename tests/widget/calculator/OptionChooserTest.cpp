#include <QListWidget>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include "chooser/CDlgSel.h"
#include "option/CDlgOptionPriceCalc.h"
#include "support/OptionToolFixture.h"

namespace {

class OptionChooser : public OptionToolFixture {
protected:
    void SetUp() override {
        OptionToolFixture::SetUp();
        chooser.Create();
    }
    // The nearest month's call (0) or put (1) group of an underlying.
    void ChooseGroup(int underlying, int group) {
        chooser.Tree()->setCurrentItem(chooser.Tree()->topLevelItem(underlying)->child(0)->child(group));
    }

    CDlgSel chooser;
};

TEST_F(OptionChooser, TheTreeHoldsUnderlyingsMonthsAndCallPutGroupsAndOnlyAGroupFillsTheList) {
    // The commodity future, the two funds and the four index futures of the index options.
    ASSERT_EQ(chooser.Tree()->topLevelItemCount(), 7);
    QTreeWidgetItem* future = chooser.Tree()->topLevelItem(0);
    EXPECT_EQ(future->childCount(), 4);
    QTreeWidgetItem* month = future->child(0);
    ASSERT_EQ(month->childCount(), 2);
    QStringList groups{month->child(0)->text(0), month->child(1)->text(0)};
    EXPECT_EQ(groups, (QStringList{"认购", "认沽"}));

    chooser.Tree()->setCurrentItem(future);
    EXPECT_EQ(chooser.List()->count(), 0);
    chooser.Tree()->setCurrentItem(month);
    EXPECT_EQ(chooser.List()->count(), 0);
    ChooseGroup(0, 1);
    EXPECT_EQ(chooser.List()->count(), 21);
    EXPECT_EQ(chooser.List()->currentRow(), 0);
    EXPECT_TRUE(chooser.List()->item(0)->text().contains(QStringLiteral("P")) ||
                chooser.List()->item(0)->text().contains(QStringLiteral("沽")));
}

TEST_F(OptionChooser, ChoosingSeveralGivesTheWholeSelectionAndTheLastAsTheChoice) {
    ChooseGroup(1, 0);
    chooser.List()->item(2)->setSelected(true);
    chooser.List()->item(5)->setSelected(true);
    chooser.Choose();
    ASSERT_EQ(chooser.Selection().size(), 3u);  // row 0 was selected by the fill
    EXPECT_EQ(chooser.Choice(), chooser.Selection().back());
    EXPECT_EQ(chooser.result(), QDialog::Accepted);
    EXPECT_GE(chooser.Choice().marketId, 0);
}

// Enter on the filled list did nothing: the dialog has no default button, so it stayed open.
// Enter is OK and closes it; neither it nor Escape chooses what only a double click chooses.
TEST_F(OptionChooser, EnterOnTheFilledListLeftTheDialogOpenAndNowClosesItWithOkChoosingNothing) {
    QSignalSpy finished(&chooser, &QDialog::finished);
    chooser.show();
    ChooseGroup(1, 0);
    ASSERT_GT(chooser.List()->count(), 0);

    QTest::keyClick(chooser.List(), Qt::Key_Escape);
    ASSERT_EQ(finished.size(), 1);
    EXPECT_EQ(finished.takeFirst().at(0).toInt(), QDialog::Rejected);

    chooser.show();
    QTest::keyClick(chooser.List(), Qt::Key_Return);
    ASSERT_EQ(finished.size(), 1);
    EXPECT_EQ(finished.takeFirst().at(0).toInt(), QDialog::Accepted);
    EXPECT_FALSE(chooser.isVisible());
    EXPECT_LT(chooser.Choice().marketId, 0);
    EXPECT_TRUE(chooser.Selection().empty());
}

TEST_F(OptionChooser, OptionsTheQuoteServiceDoesNotKnowAreLeftOut) {
    t.Host().WithdrawService(QStringLiteral("Kora.Platform.Service.BaseQuoteDataSvc"));
    ChooseGroup(0, 0);
    EXPECT_EQ(chooser.List()->count(), 0);
}

}  // namespace
