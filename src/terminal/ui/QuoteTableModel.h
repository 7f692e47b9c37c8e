#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QElapsedTimer>
#include <vector>

#include "kora/interface/QuoteKey.h"
#include "market/Simulator.h"

namespace Terminal::Ui {

// The market watch's rows: every contract the market lists, in catalogue order, with its latest
// quote. Refresh() reads the quotes again and reports only the rows whose figures changed (and
// adds the rows of contracts listed since); a row that changed is tinted for a moment with the
// direction of its last price.
class QuoteTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        kCode,
        kName,
        kLast,
        kChange,
        kChangePercent,
        kBid,
        kBidVolume,
        kAsk,
        kAskVolume,
        kVolume,
        kOpenInterest,
        kColumnCount
    };
    // The contract's catalogue index, for the proxy's category filter and for clicks.
    static constexpr int kInstrumentRole = Qt::UserRole + 1;
    // How long a changed row stays tinted.
    static constexpr int kTintMs = 700;

    explicit QuoteTableModel(const Market::Simulator& market, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Answers how many rows changed.
    int Refresh();
    const Market::Instrument& InstrumentAt(int row) const;
    Kora::Interface::QuoteKey KeyAt(int row) const;

private:
    struct Row {
        Kora::Interface::QuoteSnapshot quote{};
        int direction = 0;      // of the last change of the last price: +1, -1 or 0
        int64_t tintUntil = 0;  // ms of m_clock
    };

    QVariant Display(const Row& row, const Market::Instrument& instrument, int column) const;
    QColor Foreground(const Row& row, const Market::Instrument& instrument, int column) const;
    static bool SameFigures(const Kora::Interface::QuoteSnapshot& a, const Kora::Interface::QuoteSnapshot& b);

    const Market::Simulator& m_market;
    std::vector<Row> m_rows;
    QElapsedTimer m_clock;
};

}  // namespace Terminal::Ui
