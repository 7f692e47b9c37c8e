#include "quickmouse/StockTradeList.h"

#include <QColor>

#include "kora/utility/JsonAccess.h"

using Kora::Utility::JsonDouble;
using Kora::Utility::JsonInt;
using Kora::Utility::JsonWText;

namespace {
const char* const kTitles[] = {"时间", "价格", "数量", "方向"};
}

void StockTradeList::SetTrades(const Json::Value& trades, int decimals) {
    std::vector<Trade> next;
    if (trades.isArray()) {
        for (Json::ArrayIndex i = trades.size(); i > 0 && next.size() < kShown; --i) {
            const Json::Value& trade = trades[i - 1];
            const double price = JsonDouble(trade, "Price", 0);
            const int64_t volume = JsonInt(trade, "Volume", 0);
            if (!trade.isObject() || price <= 0 || volume <= 0) {
                continue;
            }
            next.push_back({JsonWText(trade, "Time"), QString::number(price, 'f', std::clamp(decimals, 0, 6)),
                            QString::number(volume), JsonWText(trade, "Direction") == QStringLiteral("B")});
        }
    }
    // The trades change far less often than quotes arrive: nothing to redraw most of the time.
    if (next == m_trades) {
        return;
    }
    beginResetModel();
    m_trades = std::move(next);
    endResetModel();
}

void StockTradeList::Clear() {
    SetTrades(Json::Value(), 0);
}

int StockTradeList::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_trades.size());
}

int StockTradeList::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 4;
}

QVariant StockTradeList::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const Trade& trade = m_trades[index.row()];
    switch (role) {
        case Qt::DisplayRole:
            switch (index.column()) {
                case 0:
                    return trade.time;
                case 1:
                    return trade.price;
                case 2:
                    return trade.volume;
                default:
                    return trade.buy ? QStringLiteral("买") : QStringLiteral("卖");
            }
        case Qt::ForegroundRole:
            return index.column() == 0 ? QVariant() : QColor(trade.buy ? 0xEF0707 : 0x088F05);
        case Qt::TextAlignmentRole:
            return index.column() == 0 ? int(Qt::AlignLeft | Qt::AlignVCenter)
                                       : int(Qt::AlignRight | Qt::AlignVCenter);
        default:
            return {};
    }
}

QVariant StockTradeList::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= 4) {
        return {};
    }
    return QString::fromUtf8(kTitles[section]);
}
