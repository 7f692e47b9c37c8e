#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>

#include "CKrOwnerDrawList.h"
#include "analysis/CDlgPositionAnalyze.h"
#include "chooser/CDlgSel.h"
#include "frame/ToolWindows.h"
#include "platform/ControlId.h"
#include "platform/ModalRunner.h"
#include "support/ComponentOnHost.h"

// The position risk window as the terminal opens it, on the scripted market's stock-option
// account, which holds options of the fund (the ETF): two calls bought and one put written.
class RiskWindow : public ::testing::Test {
protected:
    void SetUp() override {
        Host().Market().AddPosition("E1006", FundOption(8).index, Terminal::Market::PositionSide::Long, 2,
                                    FundOption(8).ToUnits(0.05));
        Host().Market().AddPosition("E1006", FundOption(11).index, Terminal::Market::PositionSide::Short, 1,
                                    FundOption(11).ToUnits(0.04));
        ASSERT_TRUE(Host().Engine().SetCurrentAccount("E1006"));
    }
    void TearDown() override {
        if (window) {
            Host().ContentWindows().DestroyContentWindow(window);
            window = nullptr;
        }
    }

    Terminal::HostRuntime& Host() { return t.Host(); }
    void Open() {
        window = Host().ContentWindows().CreateContentWindow(QStringLiteral("PositionAnalyze"), {});
        ASSERT_TRUE(window);
        m_dialog = dynamic_cast<CDlgPositionAnalyze*>(dynamic_cast<ToolWindow&>(*window).Dialog());
        ASSERT_NE(m_dialog, nullptr);
        window->Move(0, 0, 1180, 820);
        window->Show(true);
        t.Pump();
    }
    CDlgPositionAnalyze& Dialog() { return *m_dialog; }
    template <class T = QWidget>
    T* Control(int id) {
        T* control = Win::FindControl<T>(m_dialog, id);
        EXPECT_NE(control, nullptr) << "control " << id;
        return control;
    }

    // The fund, its near-month options (ascending strike, call before put), and one of the
    // commodity future's options.
    const Terminal::Market::Instrument& Fund() {
        return *Host().Market().Catalogue().At(Host().Market().Catalogue().Underlyings()[1]);
    }
    const Terminal::Market::Instrument& FundOption(int index) { return NearOption(1, index); }
    const Terminal::Market::Instrument& FutureOption() { return NearOption(0, 8); }

    // Adds an option through "添加": the chooser picks the group of its kind in its underlying's
    // month, then the option itself.
    void AddThroughChooser(const Terminal::Market::Instrument& option) {
        const Win::ModalRunner previous = Win::SetModalRunner([&](QDialog& dialog) {
            auto& chooser = dynamic_cast<CDlgSel&>(dialog);
            const QString group = option.option->isPut ? QStringLiteral("认沽") : QStringLiteral("认购");
            const QString underlying = Host().OptionsData().GetUnderlyingName(
                Host().KeyOf(*Host().Market().Catalogue().At(option.option->underlying)));
            for (QTreeWidgetItem* item :
                 chooser.Tree()->findItems(group, Qt::MatchExactly | Qt::MatchRecursive)) {
                if (item->parent()->text(0) == QString::fromStdString(option.option->month) &&
                    item->parent()->parent()->text(0) == underlying) {
                    chooser.Tree()->setCurrentItem(item);
                }
            }
            const auto found =
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
        t.Pump();
    }
    // A click at an offset from a list cell's top left (negative x: from its right edge; none:
    // its centre).
    void ClickCell(CKrOwnerDrawList& list, int row, const char* key, std::optional<int> x = {}) {
        const QRect cell = list.CellRect(row, list.ColumnOf(QString::fromLatin1(key)));
        ASSERT_FALSE(cell.isEmpty()) << key << " row " << row;
        const QPoint at = !x       ? cell.center()
                          : *x < 0 ? QPoint(cell.right() + 1 + *x, cell.center().y())
                                   : QPoint(cell.left() + *x, cell.center().y());
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, at);
        t.Pump();
    }
    // The combo's item chosen as the user chooses it.
    void Choose(int comboId, int index) {
        auto* combo = Control<QComboBox>(comboId);
        combo->setCurrentIndex(index);
        emit combo->activated(index);
        t.Pump();
    }

    ComponentOnHost t;
    Kora::Utility::Handle<Kora::Interface::ContentWindowI> window;

private:
    const Terminal::Market::Instrument& NearOption(int underlying, int index) {
        auto& catalogue = Host().Market().Catalogue();
        const int id = catalogue.Underlyings()[static_cast<size_t>(underlying)];
        return *catalogue.At(catalogue.Options(id, catalogue.Months(id)[0])[static_cast<size_t>(index)]);
    }

    CDlgPositionAnalyze* m_dialog = nullptr;
};
