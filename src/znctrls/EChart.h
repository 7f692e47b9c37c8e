#pragma once

#include <QChartView>
#include <QColor>
#include <QStringList>
#include <functional>
#include <vector>

class QAbstractSeries;
class QCategoryAxis;
class QGraphicsLineItem;

// Line and column charts (Qt Charts) over one row of X points. Every series gives one value per
// point; the points stand evenly spaced in their order, and their X values only feed the axis
// labels.
//
// X labels: a callback (point index, X value) → text decides which points carry a label (an
// empty text: none; without a callback every point offers its X value). A label that would run
// into the one before it is left out, so the axis stays readable at any width. Y labels: about
// six even ticks, their text from a formatter (value, tick step) → text; by default plain
// figures with as many decimals as the step needs, the whole axis in 万 or 亿 once its largest
// tick reaches them.
//
// Bars of several series stand side by side or stacked; lines are drawn without point marks
// unless asked. A horizontal zero line can be shown (drawn when zero lies inside the Y range).
// Non-finite values are drawn as 0.
//
// The chart follows the mouse: CurrentIndex() is the point under it (-1 when the mouse is off
// the plot), marked by a vertical line and reported by currentIndexChanged.
//
// Use: set the looks once; for each drawing call SetXValues, AddBars or AddLine per series,
// then UpdateChart (RemoveAllSeries first to redraw with other series).
class EChart : public QChartView {
    Q_OBJECT
public:
    enum class BarLayout { SideBySide, Stacked };
    using LabelCallback = std::function<QString(int index, double x)>;
    using ValueFormatter = std::function<QString(double value, double step)>;

    explicit EChart(QWidget* parent = nullptr);

    // Looks.
    void SetBackgroundColor(const QColor& color);
    void SetAxisColor(const QColor& color);  // axis lines
    void SetTextColor(const QColor& color);  // labels, titles, legend
    void SetGridColor(const QColor& color);
    void SetZeroLineColor(const QColor& color);
    void SetPointsVisible(bool visible);
    void SetZeroLineVisible(bool visible);
    void SetLegendVisible(bool visible);
    void SetTitle(const QString& title);
    void SetAxisTitles(const QString& x, const QString& y);
    void SetXLabelCallback(LabelCallback callback);
    void SetYLabelFormatter(ValueFormatter formatter);
    void SetBarLayout(BarLayout layout);

    // Data; drawn by UpdateChart.
    void SetXValues(std::vector<double> x);
    void AddBars(const QString& name, const QColor& color, std::vector<double> values);
    void AddLine(const QString& name, const QColor& color, std::vector<double> values, int width = 1);
    void RemoveAllSeries();
    void UpdateChart();

    int PointCount() const { return static_cast<int>(m_x.size()); }
    double XValue(int index) const;
    int SeriesCount() const { return static_cast<int>(m_series.size()); }
    QString SeriesName(int series) const;
    // 0 outside the data.
    double Value(int series, int index) const;
    int CurrentIndex() const { return m_current; }
    // The labels the axes show now, in order.
    QStringList XLabels() const;
    QStringList YLabels() const;

    // The Y ticks for values between low and high: even steps of 1, 2 or 5 × 10^k, the first at
    // or below low and the last at or above high.
    static std::vector<double> NiceTicks(double low, double high, int count);

signals:
    void currentIndexChanged(int index);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    struct Series {
        QString name;
        QColor color;
        std::vector<double> values;
        bool bars = false;
        int width = 1;
    };

    void ApplyAxisLooks();
    std::pair<double, double> ValueRange() const;
    void LayOutXLabels();
    void SetCurrent(int index);
    void PlaceCursor();

    std::vector<double> m_x;
    std::vector<Series> m_series;
    BarLayout m_barLayout = BarLayout::SideBySide;
    LabelCallback m_xLabels;
    ValueFormatter m_yLabels;
    QColor m_axisColor{Qt::darkGray};
    QColor m_textColor{Qt::black};
    QColor m_gridColor{0xE0, 0xE0, 0xE0};
    QColor m_zeroLineColor{Qt::gray};
    bool m_pointsVisible = false;
    bool m_zeroLine = false;
    bool m_layingOut = false;

    QCategoryAxis* m_axisX = nullptr;
    QCategoryAxis* m_axisY = nullptr;
    QAbstractSeries* m_anchor = nullptr;  // the series that maps mouse positions to points
    QGraphicsLineItem* m_cursor = nullptr;
    int m_current = -1;
};
