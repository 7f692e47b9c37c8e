#include "ladder/LadderModel.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "kora/interface/FieldIds.h"
#include "kora/utility/JsonAccess.h"

using Kora::Utility::JsonDouble;
using Kora::Utility::JsonText;

namespace {

QString VolumeText(int volume) {
    return volume > 0 ? QString::number(volume) : QString();
}

}  // namespace

LadderModel::LadderModel(CellTextTable& texts) : m_texts(texts), m_scale(m_layout.Lay(m_grid)) {}

int LadderModel::Build(const QString& contractCode, int decimals, double lower, double reference, double tick,
                       double upper) {
    m_grid.Build(decimals, lower, reference, tick, upper);
    m_contractCode = contractCode;
    return LayRows();
}

int LadderModel::SetLayout(const LadderLayout& layout) {
    if (layout == m_layout) {
        return m_grid.Empty() ? -1 : RowCount();
    }
    m_layout = layout;
    return LayRows();
}

int LadderModel::LayRows() {
    m_scale = m_layout.Lay(m_grid);
    const int rows = m_grid.Empty() ? -1 : m_scale->RowCount();
    m_lastPrice = 0;
    m_lastPriceRow = -1;
    m_quote = LadderBestQuote();
    m_askRow = m_bidRow = m_highRow = m_lowRow = -1;
    m_rangeFirst = m_rangeLast = -1;
    m_groups.Clear();
    m_positions.clear();
    m_marks.clear();
    m_hover = LadderHover();
    m_headerHover = -1;
    m_texts.ClearAll();
    for (int column = 0; column < m_texts.ColumnCount(); ++column) {
        m_texts.SetHeaderText(column, QString());
    }
    m_changes.Clear();
    m_changes.AddAll();
    if (rows <= 0) {
        return rows;
    }
    m_texts.SetRowCount(rows);
    for (int row = 0; row < rows; ++row) {
        m_texts.SetText(row, m_columns.price, m_scale->PriceText(row));
    }
    return rows;
}

void LadderModel::SetLastPrice(double price) {
    m_lastPrice = price;
    const int row = m_scale->RowOf(price);
    if (row != m_lastPriceRow) {
        m_changes.AddRow(m_lastPriceRow);
        m_changes.AddRow(row);
        m_lastPriceRow = row;
    }
}

void LadderModel::ShowBestVolume(int column, int oldRow, int newRow, int volume) {
    const QString text = newRow >= 0 ? VolumeText(volume) : QString();
    if (oldRow != newRow) {
        // A quote that moved must not leave its old volume behind on the previous row.
        m_texts.ClearText(oldRow, column);
        m_changes.AddRow(oldRow);
    }
    if (newRow >= 0 && m_texts.Text(newRow, column) != text) {
        m_texts.SetText(newRow, column, text);
        m_changes.AddRow(newRow);
    }
    m_texts.SetHeaderText(column, text);
}

void LadderModel::SetBestQuote(const LadderBestQuote& quote) {
    const int askRow = m_scale->RowOf(quote.askPrice);
    const int bidRow = m_scale->RowOf(quote.bidPrice);
    ShowBestVolume(m_columns.buyVolume, m_bidRow, bidRow, quote.bidVolume);
    ShowBestVolume(m_columns.sellVolume, m_askRow, askRow, quote.askVolume);
    m_bidRow = bidRow;
    m_askRow = askRow;
    const bool rangeMoved = std::fabs(quote.high - m_quote.high) > kPriceEpsilon ||
                            std::fabs(quote.low - m_quote.low) > kPriceEpsilon;
    m_quote = quote;
    m_quote.askVolume = std::max(quote.askVolume, 0);
    m_quote.bidVolume = std::max(quote.bidVolume, 0);
    if (rangeMoved) {
        m_highRow = m_scale->RowOf(quote.high);
        m_lowRow = m_scale->RowOf(quote.low);
        const auto range = m_scale->RowsBetween(quote.high, quote.low);
        m_rangeFirst = range ? range->first : -1;
        m_rangeLast = range ? range->second : -1;
        m_changes.AddAll();
    } else {
        m_changes.AddHeader();
    }
}

void LadderModel::ClearBestQuote() {
    ShowBestVolume(m_columns.buyVolume, m_bidRow, -1, 0);
    ShowBestVolume(m_columns.sellVolume, m_askRow, -1, 0);
    m_bidRow = m_askRow = -1;
    m_quote = LadderBestQuote();
    m_changes.AddHeader();
}

bool LadderModel::AddOrder(const LadderOrder& order) {
    const int row = m_scale->RowOf(order.price);
    const int index = row < 0 ? -1 : m_groups.Add(order, row);
    if (index < 0) {
        return false;
    }
    ShowGroup(*m_groups.At(index));
    ShowSideTotal(order.side);
    return true;
}

void LadderModel::RemoveGroup(int index) {
    const OrderGroup* group = m_groups.At(index);
    if (!group) {
        return;
    }
    const int row = group->row;
    const int side = group->side;
    m_texts.ClearText(row, m_columns.OrderColumn(side));
    m_groups.RemoveAt(index);
    m_changes.AddRow(row);
    ShowSideTotal(side);
}

void LadderModel::ClearOrders() {
    for (const OrderGroup& group : m_groups.All()) {
        m_texts.ClearText(group.row, m_columns.OrderColumn(group.side));
        m_changes.AddRow(group.row);
    }
    m_groups.Clear();
    ShowSideTotal(0);
    ShowSideTotal(1);
}

void LadderModel::ShowGroup(const OrderGroup& group) {
    m_texts.SetText(group.row, m_columns.OrderColumn(group.side), QString::number(group.volume));
    m_changes.AddRow(group.row);
}

void LadderModel::ShowSideTotal(int side) {
    m_texts.SetHeaderText(m_columns.OrderColumn(side), VolumeText(m_groups.Total(side)));
    m_changes.AddHeader();
}

std::vector<PositionMark> LadderModel::MarksOf(const std::vector<Json::Value>& positions) const {
    std::vector<PositionMark> marks;
    for (const Json::Value& position : positions) {
        const std::string direction = JsonText(position, Field::kDirection);
        if (direction != "0" && direction != "1") {
            continue;
        }
        const double price = JsonDouble(position, Field::kAveragePrice);
        const int row = m_scale->RowOf(price, LadderRowScale::Rounding::Nearest);
        if (row < 0) {
            continue;
        }
        PositionMark mark;
        mark.row = row;
        mark.side = direction == "0" ? 0 : 1;
        // A long position gains when the market is above its price, a short one when below.
        const double gain = (JsonDouble(position, "NowPrice") - price) * (mark.side == 0 ? 1 : -1);
        mark.tone = gain > kPriceEpsilon    ? PositionMark::Tone::Profit
                    : gain < -kPriceEpsilon ? PositionMark::Tone::Loss
                                            : PositionMark::Tone::Even;
        marks.push_back(mark);
    }
    std::sort(marks.begin(), marks.end());
    marks.erase(std::unique(marks.begin(), marks.end()), marks.end());
    return marks;
}

void LadderModel::SetPositions(std::vector<Json::Value> positions) {
    std::vector<PositionMark> marks = MarksOf(positions);
    if (marks != m_marks) {
        std::vector<PositionMark> changed;
        std::set_symmetric_difference(m_marks.begin(), m_marks.end(), marks.begin(), marks.end(),
                                      std::back_inserter(changed));
        for (const PositionMark& mark : changed) {
            m_changes.AddRow(mark.row);
        }
        m_marks = std::move(marks);
    }
    m_positions = std::move(positions);
}

void LadderModel::MarksAt(int row, int side, std::vector<PositionMark::Tone>& tones) const {
    auto it = std::lower_bound(m_marks.begin(), m_marks.end(), row,
                               [](const PositionMark& mark, int r) { return mark.row < r; });
    for (; it != m_marks.end() && it->row == row; ++it) {
        if (it->side == side) {
            tones.push_back(it->tone);
        }
    }
}

void LadderModel::SetHover(const LadderHover& hover) {
    if (hover == m_hover) {
        return;
    }
    m_changes.AddRow(m_hover.row);
    m_changes.AddRow(hover.row);
    m_hover = hover;
}

void LadderModel::SetHeaderHover(int column) {
    if (column != m_headerHover) {
        m_headerHover = column;
        m_changes.AddHeader();
    }
}

std::optional<int> LadderModel::CentringTop(int lastPriceRow, int top, int perPage) {
    if (lastPriceRow < 0 || perPage <= 0) {
        return std::nullopt;
    }
    if (lastPriceRow >= top + 5 && lastPriceRow <= top + perPage - 5) {
        return std::nullopt;
    }
    return std::max(0, lastPriceRow - perPage / 2);
}

LadderChanges LadderModel::TakeChanges() {
    LadderChanges changes = std::move(m_changes);
    m_changes.Clear();
    return changes;
}
