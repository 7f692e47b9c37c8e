#include "EChart.h"

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QGraphicsLineItem>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMouseEvent>
#include <QSet>
#include <QStackedBarSeries>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int kYTickCount = 6;
constexpr double kLabelGap = 6.0;  // pixels kept free between two X labels
constexpr double kBarWidth = 0.8;  // of a point's slot

double Finite(double value) {
    return std::isfinite(value) ? value : 0.0;
}

int DecimalsFor(double step) {
    return step >= 1 ? 0 : std::clamp(static_cast<int>(std::ceil(-std::log10(step) - 1e-9)), 0, 8);
}

// Plain figures, or all in 万 or 亿 once the largest tick reaches them.
QString DefaultValueLabel(double value, double step, double largest) {
    if (value == 0) {
        return QStringLiteral("0");
    }
    for (const auto& [unit, name] : {std::pair{1e8, "亿"}, std::pair{1e4, "万"}}) {
        if (largest >= unit) {
            return QString::number(value / unit, 'f', DecimalsFor(step / unit)) + QString::fromUtf8(name);
        }
    }
    return QString::number(value, 'f', DecimalsFor(step));
}

void ClearCategories(QCategoryAxis* axis) {
    for (const QString& label : axis->categoriesLabels()) {
        axis->remove(label);
    }
}

}  // namespace

EChart::EChart(QWidget* parent) : QChartView(parent) {
    setRenderHint(QPainter::Antialiasing);
    setMouseTracking(true);
    QChart* c = chart();
    c->setBackgroundRoundness(0);
    c->setMargins(QMargins(4, 4, 8, 4));
    c->legend()->setAlignment(Qt::AlignTop);
    m_axisX = new QCategoryAxis;
    m_axisY = new QCategoryAxis;
    for (QCategoryAxis* axis : {m_axisX, m_axisY}) {
        axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
        axis->setShadesVisible(false);
    }
    c->addAxis(m_axisX, Qt::AlignBottom);
    c->addAxis(m_axisY, Qt::AlignLeft);
    m_cursor = new QGraphicsLineItem(c);
    m_cursor->setZValue(10);
    m_cursor->hide();
    ApplyAxisLooks();
    connect(c, &QChart::plotAreaChanged, this, [this] {
        LayOutXLabels();
        PlaceCursor();
    });
    UpdateChart();
}

void EChart::ApplyAxisLooks() {
    for (QCategoryAxis* axis : {m_axisX, m_axisY}) {
        axis->setLinePenColor(m_axisColor);
        axis->setLabelsColor(m_textColor);
        axis->setTitleBrush(m_textColor);
        axis->setGridLineColor(m_gridColor);
    }
    chart()->legend()->setLabelColor(m_textColor);
    chart()->setTitleBrush(m_textColor);
    m_cursor->setPen(QPen(m_textColor, 1, Qt::DashLine));
}

void EChart::SetBackgroundColor(const QColor& color) {
    chart()->setBackgroundBrush(color);
    chart()->setBackgroundPen(Qt::NoPen);
    setBackgroundBrush(color);
}

void EChart::SetAxisColor(const QColor& color) {
    m_axisColor = color;
    ApplyAxisLooks();
}

void EChart::SetTextColor(const QColor& color) {
    m_textColor = color;
    ApplyAxisLooks();
}

void EChart::SetGridColor(const QColor& color) {
    m_gridColor = color;
    ApplyAxisLooks();
}

void EChart::SetZeroLineColor(const QColor& color) {
    m_zeroLineColor = color;
}

void EChart::SetPointsVisible(bool visible) {
    m_pointsVisible = visible;
}

void EChart::SetZeroLineVisible(bool visible) {
    m_zeroLine = visible;
}

void EChart::SetLegendVisible(bool visible) {
    chart()->legend()->setVisible(visible);
}

void EChart::SetTitle(const QString& title) {
    chart()->setTitle(title);
}

void EChart::SetAxisTitles(const QString& x, const QString& y) {
    m_axisX->setTitleText(x);
    m_axisY->setTitleText(y);
}

void EChart::SetXLabelCallback(LabelCallback callback) {
    m_xLabels = std::move(callback);
}

void EChart::SetYLabelFormatter(ValueFormatter formatter) {
    m_yLabels = std::move(formatter);
}

void EChart::SetBarLayout(BarLayout layout) {
    m_barLayout = layout;
}

void EChart::SetXValues(std::vector<double> x) {
    m_x = std::move(x);
}

void EChart::AddBars(const QString& name, const QColor& color, std::vector<double> values) {
    m_series.push_back({name, color, std::move(values), true, 1});
}

void EChart::AddLine(const QString& name, const QColor& color, std::vector<double> values, int width) {
    m_series.push_back({name, color, std::move(values), false, width});
}

void EChart::RemoveAllSeries() {
    m_series.clear();
}

double EChart::XValue(int index) const {
    return index >= 0 && index < PointCount() ? m_x[static_cast<size_t>(index)] : 0.0;
}

QString EChart::SeriesName(int series) const {
    return series >= 0 && series < SeriesCount() ? m_series[static_cast<size_t>(series)].name : QString();
}

double EChart::Value(int series, int index) const {
    if (series < 0 || series >= SeriesCount() || index < 0) {
        return 0.0;
    }
    const std::vector<double>& values = m_series[static_cast<size_t>(series)].values;
    return static_cast<size_t>(index) < values.size() ? Finite(values[static_cast<size_t>(index)]) : 0.0;
}

QStringList EChart::XLabels() const {
    return m_axisX->categoriesLabels();
}

QStringList EChart::YLabels() const {
    return m_axisY->categoriesLabels();
}

std::vector<double> EChart::NiceTicks(double low, double high, int count) {
    if (!(high > low)) {
        const double pad = low == 0 ? 1.0 : std::abs(low) * 0.1;
        low -= pad;
        high += pad;
    }
    const double rough = (high - low) / std::max(count - 1, 1);
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    const double fraction = rough / power;
    const double step = (fraction <= 1 ? 1 : fraction <= 2 ? 2 : fraction <= 5 ? 5 : 10) * power;
    const double first = std::floor(low / step + 1e-9) * step;
    // Values at the ends of the double range have no even steps: the bare range then.
    if (!std::isfinite(step) || !(step > 0) || !std::isfinite(first) || !std::isfinite(high + step)) {
        return {low, high};
    }
    std::vector<double> ticks;
    for (int k = 0;; ++k) {
        const double tick = first + k * step;
        // -0.0 would print with its sign.
        ticks.push_back(std::abs(tick) < step * 1e-9 ? 0.0 : tick);
        if (tick >= high - step * 1e-9) {
            break;
        }
    }
    return ticks;
}

// The lowest and highest value drawn: bars stand on zero, stacked bars reach their sums.
std::pair<double, double> EChart::ValueRange() const {
    double low = std::numeric_limits<double>::infinity();
    double high = -low;
    const auto take = [&](double v) {
        low = std::min(low, v);
        high = std::max(high, v);
    };
    for (size_t i = 0; i < m_x.size(); ++i) {
        double above = 0, below = 0;
        bool stacked = false;
        for (int s = 0; s < SeriesCount(); ++s) {
            const double v = Value(s, static_cast<int>(i));
            if (!m_series[static_cast<size_t>(s)].bars) {
                take(v);
            } else if (m_barLayout == BarLayout::Stacked) {
                (v >= 0 ? above : below) += v;
                stacked = true;
            } else {
                take(v);
                take(0);
            }
        }
        if (stacked) {
            take(above);
            take(below);
        }
    }
    if (low > high) {
        return {0.0, 1.0};
    }
    return {low, high};
}

void EChart::UpdateChart() {
    QChart* c = chart();
    c->removeAllSeries();
    m_anchor = nullptr;
    const int n = PointCount();

    const auto [low, high] = ValueRange();
    const std::vector<double> ticks = NiceTicks(low, high, kYTickCount);
    const double step = ticks.size() > 1 ? ticks[1] - ticks[0] : 1.0;
    const double largest = std::max(std::abs(ticks.front()), std::abs(ticks.back()));
    ClearCategories(m_axisY);
    m_axisY->setStartValue(std::nextafter(ticks.front(), -std::numeric_limits<double>::infinity()));
    QSet<QString> used;
    for (double tick : ticks) {
        const QString label = m_yLabels ? m_yLabels(tick, step) : DefaultValueLabel(tick, step, largest);
        if (!used.contains(label)) {
            used.insert(label);
            m_axisY->append(label, tick);
        }
    }
    m_axisY->setRange(ticks.front(), ticks.back());
    m_axisX->setStartValue(-1.0);
    m_axisX->setRange(-0.5, std::max(n, 1) - 0.5);

    const auto attach = [&](QAbstractSeries* series) {
        c->addSeries(series);
        series->attachAxis(m_axisX);
        series->attachAxis(m_axisY);
        if (!m_anchor) {
            m_anchor = series;
        }
    };
    QAbstractBarSeries* bars = nullptr;
    for (const Series& s : m_series) {
        if (s.bars) {
            if (!bars) {
                bars = m_barLayout == BarLayout::Stacked
                           ? static_cast<QAbstractBarSeries*>(new QStackedBarSeries)
                           : new QBarSeries;
                bars->setBarWidth(kBarWidth);
            }
            auto* set = new QBarSet(s.name);
            set->setColor(s.color);
            set->setBorderColor(s.color);
            for (int i = 0; i < n; ++i) {
                set->append(i < static_cast<int>(s.values.size()) ? Finite(s.values[static_cast<size_t>(i)])
                                                                  : 0.0);
            }
            bars->append(set);
        }
    }
    if (bars) {
        attach(bars);
    }
    for (int index = 0; index < SeriesCount(); ++index) {
        const Series& s = m_series[static_cast<size_t>(index)];
        if (s.bars) {
            continue;
        }
        auto* line = new QLineSeries;
        line->setName(s.name);
        line->setPen(QPen(s.color, s.width));
        line->setPointsVisible(m_pointsVisible);
        for (int i = 0; i < n; ++i) {
            line->append(i, Value(index, i));
        }
        attach(line);
    }
    if (m_zeroLine && ticks.front() < 0 && ticks.back() > 0) {
        auto* zero = new QLineSeries;
        zero->setPen(QPen(m_zeroLineColor, 1));
        zero->append(-0.5, 0);
        zero->append(std::max(n, 1) - 0.5, 0);
        attach(zero);
        for (QLegendMarker* marker : c->legend()->markers(zero)) {
            marker->setVisible(false);
        }
    }
    LayOutXLabels();
    // The mouse has not moved: it still points at the same place of the new data, if any.
    if (m_current >= n) {
        SetCurrent(-1);
    }
    PlaceCursor();
}

void EChart::LayOutXLabels() {
    // Changing the labels can move the plot area, which calls back here.
    if (m_layingOut) {
        return;
    }
    m_layingOut = true;
    const int n = PointCount();
    const QRectF plot = chart()->plotArea();
    const double slot = n > 0 ? plot.width() / n : 0.0;
    const QFontMetricsF metrics(m_axisX->labelsFont());
    QStringList texts;
    std::vector<int> positions;
    double lastRight = -std::numeric_limits<double>::infinity();
    for (int i = 0; i < n; ++i) {
        const double x = m_x[static_cast<size_t>(i)];
        const QString text = m_xLabels ? m_xLabels(i, x) : QString::number(x, 'g', 8);
        if (text.isEmpty() || texts.contains(text)) {
            continue;
        }
        const double centre = (i + 0.5) * slot;
        const double half = metrics.horizontalAdvance(text) / 2;
        if (centre - half < lastRight + kLabelGap) {
            continue;
        }
        lastRight = centre + half;
        texts.append(text);
        positions.push_back(i);
    }
    if (texts != m_axisX->categoriesLabels()) {
        ClearCategories(m_axisX);
        for (int k = 0; k < texts.size(); ++k) {
            m_axisX->append(texts[k], positions[static_cast<size_t>(k)]);
        }
    }
    m_layingOut = false;
}

void EChart::SetCurrent(int index) {
    if (index == m_current) {
        return;
    }
    m_current = index;
    PlaceCursor();
    emit currentIndexChanged(index);
}

void EChart::PlaceCursor() {
    if (m_current < 0 || !m_anchor) {
        m_cursor->hide();
        return;
    }
    const QRectF plot = chart()->plotArea();
    const double x = chart()->mapToPosition(QPointF(m_current, 0), m_anchor).x();
    m_cursor->setLine(x, plot.top(), x, plot.bottom());
    m_cursor->show();
}

void EChart::mouseMoveEvent(QMouseEvent* event) {
    const QPointF point = chart()->mapFromScene(mapToScene(event->position().toPoint()));
    int index = -1;
    if (m_anchor && PointCount() > 0 && chart()->plotArea().contains(point)) {
        const double x = chart()->mapToValue(point, m_anchor).x();
        index = std::clamp(static_cast<int>(std::lround(x)), 0, PointCount() - 1);
    }
    SetCurrent(index);
    QChartView::mouseMoveEvent(event);
}

void EChart::leaveEvent(QEvent* event) {
    SetCurrent(-1);
    QChartView::leaveEvent(event);
}
