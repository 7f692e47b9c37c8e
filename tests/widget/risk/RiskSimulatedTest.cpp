// Positions added by hand: the chooser, the cells a trader clicks, the X-axis settings, and
// "一键下单" to the host's combination order page.

#include <QLineEdit>
#include <QSlider>

#include "CKrAmountEdit.h"
#include "CKrAmountHSpinEdit.h"
#include "CKrPriceHSpinEdit.h"
#include "EChart.h"
#include "RiskWindow.h"
#include "analysis/CDlgXAxisSet.h"
#include "kora/utility/JsonAccess.h"

namespace {

using Dlg = CDlgPositionAnalyze;
using Kora::Utility::JsonInt;
using Kora::Utility::JsonText;

class RiskSimulated : public RiskWindow {
protected:
    void SetUp() override {
        RiskWindow::SetUp();
        Open();
        AddThroughChooser(FundOption(8));
    }
    CKrOwnerDrawList& List() { return Dialog().SimulatedList(); }
    QString Cell(int row, const char* key) { return List().CellText(row, List().ColumnOf(key)); }
    void OneClick() {
        QTest::mouseClick(Control<QPushButton>(Dlg::kOneClickButton), Qt::LeftButton);
        t.Pump();
    }
    std::vector<Json::Value> Combinations() { return t.Journal("Combination"); }
};

TEST_F(RiskSimulated, TheChosenOptionIsBoughtOneLotThatTheButtonsStepButNeverBelowZeroAndTheMiddleEdits) {
    ASSERT_EQ(List().GetItemCount(), 2);
    EXPECT_EQ(Cell(0, "64"), QString::fromStdString(FundOption(8).name));
    EXPECT_EQ(Cell(0, "135"), "1");
    EXPECT_EQ(Cell(0, "270"), "买入");
    const double real = std::stod(Dialog().RealSet().Total()["Delta"].asString());
    const double oneLot = Cell(0, "Delta_o").toDouble();
    EXPECT_GT(oneLot, 0.3);
    EXPECT_NEAR(Dialog().SumList().CellText(0, 0).toDouble(), real + oneLot, 2e-4);

    ClickCell(List(), 0, "135", 4);  // minus
    ClickCell(List(), 0, "135", 4);
    EXPECT_EQ(Cell(0, "135"), "0") << "never below 0";
    ClickCell(List(), 0, "135", -4);  // plus
    ClickCell(List(), 0, "135", -4);
    EXPECT_EQ(Cell(0, "135"), "2");
    EXPECT_NEAR(Cell(0, "Delta_o").toDouble(), 2 * oneLot, 2e-4);

    ClickCell(List(), 0, "135");
    QLineEdit* editor = List().CellEditor();
    ASSERT_TRUE(editor->isVisible());
    EXPECT_EQ(editor->text(), "2");
    editor->setText("5");
    QTest::keyClick(editor, Qt::Key_Return);
    t.Pump();
    EXPECT_EQ(Cell(0, "135"), "5");
}

TEST_F(RiskSimulated, TheDropDownTurnsTheDirectionAndTheFiguresWithIt) {
    const double bought = Cell(0, "Delta_o").toDouble();
    ClickCell(List(), 0, "270", 8);
    EXPECT_FALSE(List().CellChooser()->isVisible()) << "only the mark opens the choice";
    ClickCell(List(), 0, "270", -6);
    ASSERT_TRUE(List().CellChooser()->isVisible());
    emit List().CellChooser()->activated(1);
    t.Pump();
    EXPECT_EQ(Cell(0, "270"), "卖出");
    EXPECT_EQ(JsonText(Dialog().SimulatedSet().Record(0), "112"), "1");
    EXPECT_NEAR(Cell(0, "Delta_o").toDouble(), -bought, 2e-4);
}

TEST_F(RiskSimulated, TheTotalRowIgnoresClicksAndATickedBoxLeavesTheSums) {
    ClickCell(List(), 1, "135", 4);
    ClickCell(List(), 1, "Check");
    EXPECT_FALSE(List().CellEditor()->isVisible());
    EXPECT_EQ(Cell(0, "135"), "1");

    const QString sum = Dialog().SumList().CellText(0, 0);
    ClickCell(List(), 0, "Check");
    EXPECT_EQ(Cell(0, "Check"), "0");
    EXPECT_EQ(Cell(1, "Delta_o"), "0.0000");
    EXPECT_NE(Dialog().SumList().CellText(0, 0), sum);
    ClickCell(List(), 0, "Check");
    EXPECT_EQ(Dialog().SumList().CellText(0, 0), sum);
}

TEST_F(RiskSimulated, DeleteRemovesTheRowsSelectedInTheList) {
    AddThroughChooser(FundOption(11));
    ASSERT_EQ(List().GetItemCount(), 3);
    ClickCell(List(), 0, "64");
    QTest::mouseClick(Control<QPushButton>(Dlg::kDeleteButton), Qt::LeftButton);
    t.Pump();
    ASSERT_EQ(List().GetItemCount(), 2);
    EXPECT_EQ(Cell(0, "64"), QString::fromStdString(FundOption(11).name));
}

TEST_F(RiskSimulated, OneClickSendsTheTickedLotsAsOneCombination) {
    ClickCell(List(), 0, "135", -4);
    OneClick();
    ASSERT_EQ(Combinations().size(), 1u);
    const Json::Value request = Combinations()[0]["Request"];
    EXPECT_EQ(JsonText(request, "EAccountID"), "E1006");
    ASSERT_EQ(request["OrderList"].size(), 1u);
    EXPECT_EQ(JsonText(request["OrderList"][0]["Contract"], "ContractCode"), FundOption(8).code);
    EXPECT_EQ(JsonInt(request["OrderList"][0], "Volume"), 2);

    ClickCell(List(), 0, "Check");
    OneClick();
    ASSERT_EQ(Combinations().size(), 2u);
    EXPECT_EQ(Combinations()[1]["Request"]["OrderList"].size(), 0u) << "nothing ticked: an empty order list";
}

TEST_F(RiskSimulated, AContractTheAccountCannotTradeIsRefusedAndNothingSent) {
    AddThroughChooser(FutureOption());
    OneClick();
    EXPECT_EQ(t.BoxTexts(), QStringList{"选择了当前账号不支持的合约，请重新选择！"});
    EXPECT_EQ(t.boxes.back().title, "提示");
    EXPECT_TRUE(Combinations().empty());
}

TEST_F(RiskSimulated, XAxisSettingsNarrowTheSweepAndKeepAtLeastFourLabels) {
    const Win::ModalRunner previous = Win::SetModalRunner([](QDialog& dialog) {
        auto& settings = dynamic_cast<CDlgXAxisSet&>(dialog);
        Win::FindControl<QSlider>(&settings, CDlgXAxisSet::kRangeSlider)->setValue(20);
        CKrAmountHSpinEdit* count = Win::FindControl<CKrAmountHSpinEdit>(&settings, CDlgXAxisSet::kCountEdit);
        count->Edit().setText("3");
        settings.Confirm();
        return settings.result();
    });
    QTest::mouseClick(Control<QPushButton>(Dlg::kXAxisLink), Qt::LeftButton);
    Win::SetModalRunner(previous);
    t.Pump();
    EXPECT_EQ(t.BoxTexts(), QStringList{"X坐标轴刻度不能小于默认值4，已恢复默认值!"});
    EXPECT_EQ(Dlg::LabelCount(), 4);
    EXPECT_DOUBLE_EQ(Dialog().Persent(), 0.2);
    const double price = Control<CKrPriceHSpinEdit>(Dlg::kPriceEdit)->Value();
    EXPECT_NEAR(Dialog().ChartA().XValue(0), price * 0.8, 1e-4);
}

}  // namespace
