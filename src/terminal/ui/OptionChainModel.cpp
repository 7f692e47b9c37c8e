#include "ui/OptionChainModel.h"

#include <QBrush>
#include <cmath>
#include <cstring>

#include "host/Records.h"
#include "ui/QuoteTexts.h"
#include "ui/TerminalTheme.h"

namespace Terminal::Ui {

namespace {

const char* const kHeaders[OptionChainModel::kColumnCount] = {
    "持仓量", "成交量", "隐波", "涨跌", "买价", "卖价",   "最新价", "行权价",
    "最新价", "买价",   "卖价", "涨跌", "隐波", "成交量", "持仓量",
};

// Cells of the options in the money are tinted, the at-the-money strike marked.
const QColor kInTheMoney{0x2A, 0x24, 0x1C};
const QColor kAtTheMoney{0x1E, 0x3A, 0x5F};

bool SameFigures(const Kora::Interface::QuoteSnapshot& a, const Kora::Interface::QuoteSnapshot& b) {
    return a.last == b.last && a.volume == b.volume && a.openInterest == b.openInterest &&
           std::memcmp(&a.book[0], &b.book[0], sizeof a.book[0]) == 0;
}

// The call-side column showing the same figure as a put-side one: the sides mirror each other
// around the strike but for bid and ask, which read left to right on both.
int CallSideOf(int column) {
    using M = OptionChainModel;
    switch (column) {
        case M::kPutBid:
            return M::kCallBid;
        case M::kPutAsk:
            return M::kCallAsk;
        default:
            return column > M::kStrike ? M::kColumnCount - 1 - column : column;
    }
}

}  // namespace

OptionChainModel::OptionChainModel(const Market::Simulator& market, QObject* parent)
    : QAbstractTableModel(parent), m_market(market) {}

std::vector<OptionChainModel::Row> OptionChainModel::ListedRows() const {
    std::vector<Row> rows;
    for (int index : m_market.Catalogue().Options(m_underlying, m_month)) {
        const Market::Instrument& option = *m_market.Catalogue().At(index);
        const Market::OptionTerms& terms = *option.option;
        if (rows.empty() || rows.back().strike != terms.strike) {
            rows.push_back({terms.strike, option.ToPrice(terms.strike), {}, {}});
        }
        (terms.isPut ? rows.back().put : rows.back().call).option = index;
    }
    return rows;
}

void OptionChainModel::Read(Side& side) const {
    if (side.option >= 0) {
        side.quote = m_market.Snapshot(side.option);
        side.volatility = m_market.ImpliedVolatility(side.option);
    }
}

void OptionChainModel::Show(int underlying, const std::string& month) {
    beginResetModel();
    m_underlying = underlying;
    m_month = month;
    m_rows = ListedRows();
    for (Row& row : m_rows) {
        Read(row.call);
        Read(row.put);
    }
    m_atTheMoney = FindAtTheMoney();
    endResetModel();
}

int OptionChainModel::FindAtTheMoney() const {
    if (m_rows.empty()) {
        return -1;
    }
    const double price = m_market.MarkPrice(m_underlying);
    int best = 0;
    for (int i = 1; i < int(m_rows.size()); ++i) {
        if (std::abs(m_rows[size_t(i)].strikePrice - price) <
            std::abs(m_rows[size_t(best)].strikePrice - price)) {
            best = i;
        }
    }
    return best;
}

int OptionChainModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int OptionChainModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant OptionChainModel::Display(const Row& row, int column) const {
    if (column == kStrike) {
        const int option = row.call.option >= 0 ? row.call.option : row.put.option;
        return QuoteTexts::Price(*m_market.Catalogue().At(option), row.strike);
    }
    const bool call = column < kStrike;
    const Side& side = call ? row.call : row.put;
    if (side.option < 0) {
        return {};
    }
    const Market::Instrument& option = *m_market.Catalogue().At(side.option);
    const Kora::Interface::QuoteSnapshot& q = side.quote;
    switch (CallSideOf(column)) {
        case kCallInterest:
            return QuoteTexts::Amount(q.openInterest);
        case kCallVolume:
            return QuoteTexts::Amount(q.volume);
        case kCallVolatility:
            return QString::number(side.volatility * 100.0, 'f', 2) + QLatin1Char('%');
        case kCallChange:
            return QuoteTexts::Change(option, q.last, q.referencePrice);
        case kCallBid:
            return QuoteTexts::Price(option, q.book[0].bid.price);
        case kCallAsk:
            return QuoteTexts::Price(option, q.book[0].ask.price);
        case kCallLast:
            return QuoteTexts::Price(option, q.last);
        default:
            return {};
    }
}

QVariant OptionChainModel::Foreground(const Row& row, int column) const {
    if (column == kStrike) {
        return QBrush(Theme::kCode);
    }
    const bool call = column < kStrike;
    const Kora::Interface::QuoteSnapshot& q = (call ? row.call : row.put).quote;
    switch (CallSideOf(column)) {
        case kCallChange:
        case kCallLast:
            return QBrush(QuoteTexts::AgainstReference(q.last, q.referencePrice));
        case kCallBid:
            return QBrush(QuoteTexts::AgainstReference(q.book[0].bid.price, q.referencePrice));
        case kCallAsk:
            return QBrush(QuoteTexts::AgainstReference(q.book[0].ask.price, q.referencePrice));
        case kCallVolatility:
            return QBrush(Theme::kAccent.lighter(130));
        default:
            return QBrush(Theme::kMuted.lighter(125));
    }
}

QVariant OptionChainModel::Background(const Row& row, int column) const {
    const int index = int(&row - m_rows.data());
    if (column == kStrike) {
        return index == m_atTheMoney ? QVariant(QBrush(kAtTheMoney)) : QVariant();
    }
    // Calls below the money's strike and puts above it are in the money.
    const bool call = column < kStrike;
    const bool inTheMoney = m_atTheMoney >= 0 && (call ? index < m_atTheMoney : index > m_atTheMoney);
    return inTheMoney ? QVariant(QBrush(kInTheMoney)) : QVariant();
}

QVariant OptionChainModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || size_t(index.row()) >= m_rows.size()) {
        return {};
    }
    const Row& row = m_rows[size_t(index.row())];
    switch (role) {
        case Qt::DisplayRole:
            return Display(row, index.column());
        case Qt::ForegroundRole:
            return Foreground(row, index.column());
        case Qt::BackgroundRole:
            return Background(row, index.column());
        case Qt::TextAlignmentRole:
            return int(Qt::AlignCenter);
        case kInstrumentRole:
            return index.column() == kStrike ? -1 : (index.column() < kStrike ? row.call : row.put).option;
        default:
            return {};
    }
}

QVariant OptionChainModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return QString::fromUtf8(kHeaders[section]);
    }
    if (role == Qt::ForegroundRole) {
        return QBrush(section < kStrike ? Theme::kRise : section > kStrike ? Theme::kFall : Theme::kCode);
    }
    return {};
}

int OptionChainModel::Refresh() {
    if (m_underlying < 0) {
        return 0;
    }
    const std::vector<Row> listed = ListedRows();
    if (listed.size() != m_rows.size()) {
        Show(m_underlying, m_month);  // strikes were listed: lay the rows out again
        return int(m_rows.size());
    }
    int changed = 0;
    for (size_t i = 0; i < m_rows.size(); ++i) {
        Row& row = m_rows[i];
        const Kora::Interface::QuoteSnapshot call = row.call.quote;
        const Kora::Interface::QuoteSnapshot put = row.put.quote;
        Read(row.call);
        Read(row.put);
        if (!SameFigures(call, row.call.quote) || !SameFigures(put, row.put.quote)) {
            ++changed;
            emit dataChanged(index(int(i), 0), index(int(i), kColumnCount - 1));
        }
    }
    const int atTheMoney = FindAtTheMoney();
    if (atTheMoney != m_atTheMoney) {
        m_atTheMoney = atTheMoney;
        emit dataChanged(index(0, 0), index(int(m_rows.size()) - 1, kColumnCount - 1), {Qt::BackgroundRole});
    }
    return changed;
}

}  // namespace Terminal::Ui
