#include "ui/QuoteTableModel.h"

#include <QBrush>
#include <QColor>
#include <cstring>

#include "host/Records.h"
#include "ui/QuoteTexts.h"
#include "ui/TerminalTheme.h"

namespace Terminal::Ui {

namespace {

const char* const kHeaders[QuoteTableModel::kColumnCount] = {
    "代码", "名称", "最新价", "涨跌", "涨跌幅", "买价", "买量", "卖价", "卖量", "成交量", "持仓量",
};

int64_t ReferenceOf(const Kora::Interface::QuoteSnapshot& quote, const Market::Instrument& instrument) {
    return quote.referencePrice > 0 ? quote.referencePrice : instrument.reference;
}

}  // namespace

QuoteTableModel::QuoteTableModel(const Market::Simulator& market, QObject* parent)
    : QAbstractTableModel(parent), m_market(market), m_rows(size_t(market.Catalogue().Size())) {
    m_clock.start();
    for (size_t i = 0; i < m_rows.size(); ++i) {
        m_rows[i].quote = m_market.Snapshot(int(i));
    }
}

int QuoteTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows.size());
}

int QuoteTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

const Market::Instrument& QuoteTableModel::InstrumentAt(int row) const {
    return m_market.Catalogue().All()[size_t(row)];
}

Kora::Interface::QuoteKey QuoteTableModel::KeyAt(int row) const {
    return Records::KeyOf(InstrumentAt(row));
}

QVariant QuoteTableModel::Display(const Row& row, const Market::Instrument& instrument, int column) const {
    using QuoteTexts::Amount;
    const Kora::Interface::QuoteSnapshot& q = row.quote;
    auto price = [&](int64_t units) -> QVariant { return QuoteTexts::Price(instrument, units); };
    const int64_t reference = ReferenceOf(q, instrument);
    switch (column) {
        case kCode:
            return QString::fromStdString(instrument.code);
        case kName:
            return QString::fromStdString(instrument.name);
        case kLast:
            return price(q.last);
        case kChange:
            return QuoteTexts::Change(instrument, q.last, reference);
        case kChangePercent:
            if (q.last <= 0 || reference <= 0) {
                return QStringLiteral("--");
            }
            return QString::asprintf("%+.2f%%", 100.0 * double(q.last - reference) / double(reference));
        case kBid:
            return price(q.book[0].bid.price);
        case kBidVolume:
            return q.book[0].bid.price > 0 ? QVariant(Amount(q.book[0].bid.volume)) : QVariant();
        case kAsk:
            return price(q.book[0].ask.price);
        case kAskVolume:
            return q.book[0].ask.price > 0 ? QVariant(Amount(q.book[0].ask.volume)) : QVariant();
        case kVolume:
            return Amount(q.volume);
        case kOpenInterest:
            return instrument.IsDerivative() ? QVariant(Amount(q.openInterest)) : QVariant();
        default:
            return {};
    }
}

QColor QuoteTableModel::Foreground(const Row& row, const Market::Instrument& instrument, int column) const {
    auto against = [&](int64_t units) {
        return QuoteTexts::AgainstReference(units, ReferenceOf(row.quote, instrument));
    };
    switch (column) {
        case kCode:
            return Theme::kCode;
        case kName:
            return Theme::kFlat;
        case kLast:
        case kChange:
        case kChangePercent:
            return against(row.quote.last);
        case kBid:
            return against(row.quote.book[0].bid.price);
        case kAsk:
            return against(row.quote.book[0].ask.price);
        case kBidVolume:
        case kAskVolume:
        case kVolume:
        case kOpenInterest:
            return Theme::kCode.lighter(115);
        default:
            return Theme::kFlat;
    }
}

QVariant QuoteTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || size_t(index.row()) >= m_rows.size()) {
        return {};
    }
    const Row& row = m_rows[size_t(index.row())];
    switch (role) {
        case Qt::DisplayRole:
            return Display(row, InstrumentAt(index.row()), index.column());
        case Qt::ForegroundRole:
            return QBrush(Foreground(row, InstrumentAt(index.row()), index.column()));
        case Qt::BackgroundRole:
            if (row.direction != 0 && row.tintUntil > m_clock.elapsed() && index.column() == kLast) {
                QColor tint = row.direction > 0 ? Theme::kRise : Theme::kFall;
                tint.setAlpha(55);
                return QBrush(tint);
            }
            return {};
        case Qt::TextAlignmentRole:
            return int(index.column() <= kName ? Qt::AlignLeft | Qt::AlignVCenter
                                               : Qt::AlignRight | Qt::AlignVCenter);
        case kInstrumentRole:
            return index.row();
        default:
            return {};
    }
}

QVariant QuoteTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumnCount) {
        return {};
    }
    if (role == Qt::DisplayRole) {
        return QString::fromUtf8(kHeaders[section]);
    }
    if (role == Qt::TextAlignmentRole) {
        return int(section <= kName ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
    }
    return {};
}

bool QuoteTableModel::SameFigures(const Kora::Interface::QuoteSnapshot& a,
                                  const Kora::Interface::QuoteSnapshot& b) {
    return a.last == b.last && a.volume == b.volume && a.openInterest == b.openInterest &&
           a.referencePrice == b.referencePrice && std::memcmp(&a.book[0], &b.book[0], sizeof a.book[0]) == 0;
}

int QuoteTableModel::Refresh() {
    const int64_t now = m_clock.elapsed();
    int changed = 0;
    // Contracts listed since (new strikes and months) join at the end.
    const size_t listed = size_t(m_market.Catalogue().Size());
    if (listed > m_rows.size()) {
        beginInsertRows({}, int(m_rows.size()), int(listed) - 1);
        const size_t first = m_rows.size();
        m_rows.resize(listed);
        for (size_t i = first; i < listed; ++i) {
            m_rows[i].quote = m_market.Snapshot(int(i));
        }
        endInsertRows();
        changed += int(listed - first);
    }
    for (size_t i = 0; i < m_rows.size(); ++i) {
        Row& row = m_rows[i];
        const Kora::Interface::QuoteSnapshot quote = m_market.Snapshot(int(i));
        const bool tintExpired = row.tintUntil != 0 && row.tintUntil <= now;
        if (SameFigures(quote, row.quote)) {
            if (tintExpired) {
                row.tintUntil = 0;
                emit dataChanged(index(int(i), kLast), index(int(i), kLast), {Qt::BackgroundRole});
            }
            continue;
        }
        if (quote.last != row.quote.last && row.quote.last > 0) {
            row.direction = quote.last > row.quote.last ? 1 : -1;
            row.tintUntil = now + kTintMs;
        }
        row.quote = quote;
        ++changed;
        emit dataChanged(index(int(i), kLast), index(int(i), kColumnCount - 1));
    }
    return changed;
}

}  // namespace Terminal::Ui
