#include <QComboBox>
#include <QLabel>
#include <QLineSeries>
#include <QTest>

#include "CESwitch.h"
#include "EChart.h"
#include "analysis/CDlgOptionTradeStatistics.h"
#include "chooser/CDlgDownQuotaData.h"
#include "kora/utility/JsonAccess.h"
#include "support/UserInput.h"
#include "widget/statistics/StatisticsFixture.h"

namespace {

using Dialog = CDlgOptionTradeStatistics;
using Kora::Utility::JsonText;

class TradeStatisticsDialog : public StatisticsFixture {
protected:
    // Chooses a combo entry as the user does.
    void Choose(QWidget& d, int id, int index) { ChooseItem(*Combo(d, id), index); }
};

TEST_F(TradeStatisticsDialog, TheChainsHistoryIsDownloadedBeforeItsRowsAreBuilt) {
    Dialog dialog;
    std::vector<std::pair<size_t, size_t>> downloads;  // contracts asked for, rows at the time
    onModal = [&](QDialog& d) {
        if (auto* download = qobject_cast<CDlgDownQuotaData*>(&d)) {
            downloads.emplace_back(download->contracts.size(), dialog.Rows().size());
        }
        return d.exec();
    };
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(Combo(dialog, Dialog::kUnderlyingCombo)->count(), 7);
    EXPECT_EQ(Combo(dialog, Dialog::kUnderlyingCombo)->currentText(), QStringLiteral("豆粕2408"));
    EXPECT_EQ(Combo(dialog, Dialog::kMonthCombo)->currentText(), "2403");
    const size_t mealStrikes = dialog.Rows().size();
    ASSERT_GT(mealStrikes, 2u);
    EXPECT_EQ(downloads, (std::vector<std::pair<size_t, size_t>>{{2 * mealStrikes, 0}}));

    Choose(dialog, Dialog::kUnderlyingCombo, 1);
    EXPECT_EQ(dialog.Underlying().code, "510050");
    EXPECT_EQ(Combo(dialog, Dialog::kMonthCombo)->currentIndex(), 0);
    Choose(dialog, Dialog::kMonthCombo, 2);
    ASSERT_EQ(downloads.size(), 3u);
    EXPECT_EQ(downloads[1], std::make_pair(FundOptions().size(), mealStrikes));
    EXPECT_EQ(dialog.Rows().size(), FundOptions().size() / 2);
    EXPECT_EQ(dialog.Rows().front().price, 2.0);
    EXPECT_EQ(dialog.Statistic(), TradeStatistic::Volume) << "the statistic shown stays";
}

TEST_F(TradeStatisticsDialog, ThePointUnderTheMouseShowsItsFiguresWithinATimerTickAndTheLinksLeadOn) {
    SetFigures(Call(4), 120, 60, 500);
    SetFigures(Put(4), 40, 20, 100);
    Dialog dialog;
    ASSERT_TRUE(dialog.Create());
    Choose(dialog, Dialog::kUnderlyingCombo, 1);
    dialog.show();
    auto* chart = Win::FindControl<EChart>(&dialog, Dialog::kChart);
    auto* text = Win::FindControl<QLabel>(&dialog, Dialog::kDataText);

    const QPointF inChart = chart->chart()->mapToPosition(QPointF(4, 0), chart->chart()->series().front());
    const QPoint at = chart->mapFromScene(chart->chart()->mapToScene(inChart - QPointF(0, 5)));
    QMouseEvent move(QEvent::MouseMove, at, chart->viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(chart->viewport(), &move);
    EXPECT_TRUE(WaitUntil([&] {
        return text->text() == QStringLiteral("行权价 2.200    认购：120  认沽：40  比：3.00");
    })) << text->text().toStdString();
    dialog.ShowStatistic(static_cast<int>(TradeStatistic::OpenInterest));
    // The mouse stays where it is: the same strike's figures of the other statistic.
    EXPECT_TRUE(WaitUntil([&] {
        return text->text() == QStringLiteral("行权价 2.200    认购：500  认沽：100  比：5.00");
    })) << text->text().toStdString();

    // Both links announce the underlying; "more" runs the batch board.
    const size_t announced = t.Host().Activity().Announcements().size();
    QString opened;
    onModal = [&](QDialog& d) {
        opened = d.windowTitle();
        return int(QDialog::Rejected);
    };
    emit Win::FindControl<QLabel>(&dialog, Dialog::kQuoteLink)->linkActivated(QStringLiteral("#"));
    emit Win::FindControl<QLabel>(&dialog, Dialog::kMoreLink)->linkActivated(QStringLiteral("#"));
    const auto announcements = t.Host().Activity().Announcements();
    ASSERT_EQ(announcements.size(), announced + 2);
    for (size_t i = announced; i < announcements.size(); ++i) {
        EXPECT_EQ(JsonText(announcements[i], "Stock"), Key(Fund()).ToText().toStdString());
    }
    const auto executed = t.Host().Instructs().Executed();
    ASSERT_EQ(executed.size(), 1u);
    EXPECT_EQ(JsonText(executed[0], "Function"), "PopOptBatchTrade");
    EXPECT_EQ(opened, "期权批量下单");
}

TEST_F(TradeStatisticsDialog, TheInstructOpensItAndEveryStatisticFillsTheChart) {
    // Net buying is 0 where half the volume was bought actively; one strike of the meal's
    // chain has more buyers.
    SetFigures(NearMonthOption(t.Host(), 0, 0).index, 10, 8, 40, 4000);
    bool opened = false;
    onModal = [&](QDialog& d) {
        if (d.windowTitle() != QStringLiteral("期权成交统计")) {
            return d.exec();
        }
        opened = true;
        d.show();
        auto* bar = Win::FindControl<CESwitch>(&d, Dialog::kSwitchBar);
        auto* chart = Win::FindControl<EChart>(&d, Dialog::kChart);
        for (int item = 0; item < 7; ++item) {
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->ItemRect(item).center());
            EXPECT_EQ(chart->chart()->title(), bar->ItemText(item).trimmed());
            EXPECT_EQ(chart->SeriesCount(), 2);
            EXPECT_GT(chart->PointCount(), 2);
            bool filled = false;
            for (int point = 0; point < chart->PointCount(); ++point) {
                filled = filled || chart->Value(0, point) != 0 || chart->Value(1, point) != 0;
            }
            EXPECT_TRUE(filled) << bar->ItemText(item).toStdString();
            if (item == 5) {
                EXPECT_EQ(chart->SeriesName(0), QStringLiteral("隐波率"));
                EXPECT_EQ(chart->SeriesName(1), QStringLiteral("隐波率1"));
            }
        }
        EXPECT_EQ(chart->chart()->title(), QStringLiteral("最痛点位"));
        return int(QDialog::Rejected);
    };
    Json::Value request(Json::objectValue);
    request["Function"] = "OptionTradeStatistics";
    t.Host().Instructs().ExecuteInstruct(request);
    EXPECT_TRUE(opened);
}

}  // namespace
