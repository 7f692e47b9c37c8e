#include "RiskWindow.h"

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "CKrOwnerDrawList.h"
#include "chooser/CDlgSel.h"
#include "frame/ToolWindows.h"
#include "platform/ModalRunner.h"
#include "support/HostSteps.h"
#include "support/RunLayoutFolder.h"

namespace {
[[maybe_unused]] auto* const kRunLayoutFolder = ::testing::AddGlobalTestEnvironment(new RunLayoutFolder);
}  // namespace

void RiskWindow::SetUp() {
    auto& market = Host().Market();
    market.AddPosition("E1006", FundOption(8).index, Terminal::Market::PositionSide::Long, 2,
                       FundOption(8).ToUnits(0.05));
    market.AddPosition("E1006", FundOption(11).index, Terminal::Market::PositionSide::Short, 1,
                       FundOption(11).ToUnits(0.04));
    ASSERT_TRUE(Host().Engine().SetCurrentAccount("E1006"));
}

void RiskWindow::TearDown() {
    if (window) {
        Host().ContentWindows().DestroyContentWindow(window);
        window = nullptr;
    }
}

void RiskWindow::Open() {
    window = Host().ContentWindows().CreateContentWindow(QStringLiteral("PositionAnalyze"), {});
    ASSERT_TRUE(window);
    m_dialog = dynamic_cast<CDlgPositionAnalyze*>(dynamic_cast<ToolWindow&>(*window).Dialog());
    ASSERT_NE(m_dialog, nullptr);
    window->Move(0, 0, 1180, 820);
    window->Show(true);
    Pump();
}

void RiskWindow::Pump() {
    SettleHostAndWindows(Host());
}

const Terminal::Market::Instrument& RiskWindow::Fund() {
    auto& catalogue = Host().Market().Catalogue();
    return *catalogue.At(catalogue.Underlyings()[1]);
}

const Terminal::Market::Instrument& RiskWindow::FundOption(int index) {
    auto& catalogue = Host().Market().Catalogue();
    const int fund = catalogue.Underlyings()[1];
    return *catalogue.At(catalogue.Options(fund, catalogue.Months(fund)[0])[static_cast<size_t>(index)]);
}

const Terminal::Market::Instrument& RiskWindow::FutureOption() {
    auto& catalogue = Host().Market().Catalogue();
    const int future = catalogue.Underlyings()[0];
    return *catalogue.At(catalogue.Options(future, catalogue.Months(future)[0])[8]);
}

void RiskWindow::AddThroughChooser(const Terminal::Market::Instrument& option) {
    const Win::ModalRunner previous = Win::SetModalRunner([&](QDialog& dialog) {
        auto& chooser = dynamic_cast<CDlgSel&>(dialog);
        const QString group = option.option->isPut ? QStringLiteral("认沽") : QStringLiteral("认购");
        for (QTreeWidgetItem* item :
             chooser.Tree()->findItems(group, Qt::MatchExactly | Qt::MatchRecursive)) {
            if (item->parent()->text(0) == QString::fromStdString(option.option->month) &&
                item->parent()->parent()->text(0) ==
                    Host().OptionsData().GetUnderlyingName(
                        Key(*Host().Market().Catalogue().At(option.option->underlying)))) {
                chooser.Tree()->setCurrentItem(item);
                break;
            }
        }
        const QList<QListWidgetItem*> found =
            chooser.List()->findItems(QString::fromStdString(option.name), Qt::MatchExactly);
        EXPECT_EQ(found.size(), 1) << option.name;
        if (found.isEmpty()) {
            return int(QDialog::Rejected);
        }
        chooser.List()->clearSelection();
        found.front()->setSelected(true);
        chooser.Choose();
        return chooser.result();
    });
    QTest::mouseClick(Control<QPushButton>(CDlgPositionAnalyze::kAddButton), Qt::LeftButton);
    Win::SetModalRunner(previous);
    Pump();
}

void RiskWindow::ClickCell(CKrOwnerDrawList& list, int row, const char* key, int x) {
    const QRect cell = list.CellRect(row, list.ColumnOf(QString::fromLatin1(key)));
    ASSERT_FALSE(cell.isEmpty()) << key << " row " << row;
    const QPoint at = x == -1000 ? cell.center()
                      : x < 0    ? QPoint(cell.right() + 1 + x, cell.center().y())
                                 : QPoint(cell.left() + x, cell.center().y());
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
    Pump();
}

void RiskWindow::Choose(int comboId, int index) {
    auto* combo = Control<QComboBox>(comboId);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
    Pump();
}
