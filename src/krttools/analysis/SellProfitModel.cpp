#include "analysis/SellProfitModel.h"

#include <QColor>

namespace {

struct ColumnTitle {
    const char* title;
    int width;
};
constexpr ColumnTitle kColumns[SellProfitModel::kColumnCount] = {
    {"标的价格", 80}, {"波动趋平", 120}, {"正常波动", 120}, {"波动加剧", 120}};

// The terminal's colours for a gain and a loss.
const QColor kGain(0xF0, 0x40, 0x40);
const QColor kLoss(0x30, 0xC0, 0x60);

}  // namespace

SellProfitModel::SellProfitModel(Part part, QObject* parent) : QAbstractTableModel(parent), m_part(part) {}

int SellProfitModel::ColumnWidth(int column) {
    return column >= 0 && column < kColumnCount ? kColumns[column].width : 0;
}

void SellProfitModel::Show(const OptionPricing::ShortOptionAnalysis& analysis, int decimals) {
    beginResetModel();
    m_analysis = analysis;
    m_decimals = decimals;
    endResetModel();
}

int SellProfitModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid() || m_analysis.rows.empty()) {
        return 0;
    }
    return m_part == kRows ? static_cast<int>(m_analysis.rows.size()) : 1;
}

int SellProfitModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QString SellProfitModel::Text(int row, int column) const {
    if (m_part == kSummary) {
        return column == 0 ? QStringLiteral("平均盈利")
                           : QString::asprintf("%.04f", m_analysis.averageProfit[column - 1]);
    }
    const OptionPricing::ProfitRow& r = m_analysis.rows[static_cast<size_t>(row)];
    if (column == 0) {
        return QString::fromStdString(OptionPricing::PriceLabel(r.price, m_decimals));
    }
    return QString::asprintf("%.04f(%.02f%%)", r.profit, r.probability[column - 1] * 100);
}

QVariant SellProfitModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount() || index.column() >= kColumnCount) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
            return Text(index.row(), index.column());
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
        case Qt::ForegroundRole: {
            if (index.column() == 0) {
                return {};
            }
            const double profit = m_part == kSummary
                                      ? m_analysis.averageProfit[index.column() - 1]
                                      : m_analysis.rows[static_cast<size_t>(index.row())].profit;
            return profit > 0 ? QVariant(kGain) : profit < 0 ? QVariant(kLoss) : QVariant();
        }
        default:
            return {};
    }
}

QVariant SellProfitModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kColumnCount) {
        return {};
    }
    return QString::fromUtf8(kColumns[section].title);
}
