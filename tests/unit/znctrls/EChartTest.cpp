#include <gtest/gtest.h>

#include <QAbstractSeries>
#include <QChart>
#include <QCoreApplication>
#include <QGraphicsTextItem>
#include <QMouseEvent>
#include <QSignalSpy>

#include "EChart.h"

namespace {

// Shown off screen at a size, with its layout settled.
void Show(EChart& chart, int width, int height) {
    chart.resize(width, height);
    chart.show();
    QCoreApplication::processEvents();
}

TEST(EChart, XLabelsFollowTheCallbackAndNeverCrowd) {
    EChart chart;
    std::vector<double> x;
    for (int i = 0; i < 100; ++i) {
        x.push_back(2.0 + i * 0.05);
    }
    chart.SetXValues(x);
    chart.SetXLabelCallback(
        [](int index, double value) { return index % 2 ? QString() : QString::number(value, 'f', 2); });
    chart.AddBars(QStringLiteral("a"), Qt::red, std::vector<double>(100, 1.0));
    chart.UpdateChart();

    Show(chart, 3000, 300);
    EXPECT_EQ(chart.XLabels().size(), 50) << "every offered label fits";
    EXPECT_EQ(chart.XLabels().front(), "2.00");
    EXPECT_EQ(chart.XLabels()[1], "2.10");

    chart.resize(400, 300);
    QCoreApplication::processEvents();
    const QStringList narrow = chart.XLabels();
    EXPECT_GE(narrow.size(), 3);
    EXPECT_LE(narrow.size(), 10) << "labels of 4 characters, 400 pixels";
    EXPECT_FALSE(narrow.contains("2.05")) << "an empty text is no label";
}

TEST(EChart, TicksStepByOneTwoOrFiveAndCoverTheValues) {
    using Ticks = std::vector<double>;
    EXPECT_EQ(EChart::NiceTicks(0, 1, 6), (Ticks{0, 0.2, 0.4, 0.6000000000000001, 0.8, 1}));
    EXPECT_EQ(EChart::NiceTicks(0, 18000, 6), (Ticks{0, 5000, 10000, 15000, 20000}));
    EXPECT_EQ(EChart::NiceTicks(-3, 7, 6), (Ticks{-4, -2, 0, 2, 4, 6, 8}));
    EXPECT_EQ(EChart::NiceTicks(-1, 1, 6), (Ticks{-1, -0.5, 0, 0.5, 1})) << "no -0";
    EXPECT_EQ(EChart::NiceTicks(0, 0, 6), (Ticks{-1, -0.5, 0, 0.5, 1})) << "a flat chart still has a scale";
    // Garbage from a host must not hang the window in an endless loop of steps.
    EXPECT_EQ(EChart::NiceTicks(-1e308, 1e308, 6), (Ticks{-1e308, 1e308}));
    EXPECT_EQ(EChart::NiceTicks(0, 5e-324, 6), (Ticks{0, 5e-324}));
    EChart chart;
    chart.SetXValues({1, 2});
    chart.AddBars(QStringLiteral("garbage"), Qt::red, {1e308, -1e308});
    chart.UpdateChart();
    Show(chart, 300, 200);
    EXPECT_EQ(chart.YLabels().size(), 2);
}

TEST(EChart, YLabelsCountInYiStackedBarsScaleToTheirSumAndTheZeroLineShowsOnlyAcrossZero) {
    EChart chart;
    chart.SetXValues({1, 2});
    chart.AddBars(QStringLiteral("turnover"), Qt::red, {1.5e8, 2e7});
    chart.UpdateChart();
    EXPECT_EQ(chart.YLabels(), (QStringList{"0", "0.5亿", "1.0亿", "1.5亿"}));

    chart.RemoveAllSeries();
    chart.AddLine(QStringLiteral("delta"), Qt::red, {0.012, -0.004});
    chart.UpdateChart();
    EXPECT_EQ(chart.YLabels(), (QStringList{"-0.005", "0", "0.005", "0.010", "0.015"}));

    chart.RemoveAllSeries();
    chart.SetZeroLineVisible(true);
    chart.SetBarLayout(EChart::BarLayout::Stacked);
    chart.SetXValues({1, 2});
    chart.AddBars(QStringLiteral("call"), Qt::red, {3, 0});
    chart.AddBars(QStringLiteral("put"), Qt::green, {4, 1});
    chart.UpdateChart();
    EXPECT_EQ(chart.YLabels().back(), "8");
    EXPECT_EQ(chart.chart()->series().size(), 1) << "one bar series, no zero line on a positive chart";

    chart.RemoveAllSeries();
    chart.AddLine(QStringLiteral("theta"), Qt::red, {-2, 3});
    chart.UpdateChart();
    EXPECT_EQ(chart.chart()->series().size(), 2) << "the line and the zero line";
    EXPECT_EQ(chart.Value(0, 1), 3);
    EXPECT_EQ(chart.Value(0, 2), 0) << "outside the data";
}

// Seven ticks from -5 to 25 on a chart of 150 pixels came out as seven "..." labels.
TEST(EChart, ShortPlotGetsFewerYTicksInsteadOfCutLabels) {
    EChart chart;
    chart.SetXValues({1, 2, 3});
    chart.AddLine(QStringLiteral("gamma"), Qt::red, {-3, 21, 0});
    chart.UpdateChart();
    Show(chart, 400, 150);
    QStringList shown;
    for (QGraphicsItem* item : chart.scene()->items()) {
        if (auto* text = dynamic_cast<QGraphicsTextItem*>(item); text && text->isVisible()) {
            shown.append(text->toPlainText());
        }
    }
    EXPECT_FALSE(shown.join(' ').contains("...")) << shown.join(' ').toStdString();
    EXPECT_GE(chart.YLabels().size(), 3);
    EXPECT_LT(chart.YLabels().size(), 7);

    chart.resize(400, 600);
    QCoreApplication::processEvents();
    EXPECT_EQ(chart.YLabels(), (QStringList{"-5", "0", "5", "10", "15", "20", "25"})) << "room again";
}

TEST(EChart, TheCurrentPointFollowsTheMouseOverThePlotOnly) {
    EChart chart;
    chart.SetXValues({10, 20, 30, 40, 50});
    chart.AddLine(QStringLiteral("v"), Qt::red, {1, 2, 3, 2, 1});
    chart.UpdateChart();
    Show(chart, 500, 300);
    QSignalSpy changes(&chart, &EChart::currentIndexChanged);
    const auto moveTo = [&](QPointF inChart) {
        const QPoint at = chart.mapFromScene(chart.chart()->mapToScene(inChart));
        QMouseEvent move(QEvent::MouseMove, at, chart.viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(chart.viewport(), &move);
    };
    QAbstractSeries* line = chart.chart()->series().front();
    // A little right of point 3: still point 3.
    moveTo(chart.chart()->mapToPosition(QPointF(3.3, 2), line));
    EXPECT_EQ(chart.CurrentIndex(), 3);
    moveTo(QPointF(1, 1));
    EXPECT_EQ(chart.CurrentIndex(), -1) << "over the margin, not the plot";
    moveTo(chart.chart()->mapToPosition(QPointF(0, 2), line));
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(&chart, &leave);
    EXPECT_EQ(chart.CurrentIndex(), -1);
    EXPECT_EQ(changes.size(), 4);
}

}  // namespace
