#pragma once

#include <QAbstractTableModel>
#include <string>
#include <vector>

#include "kora/interface/QuoteSnapshot.h"
#include "market/Simulator.h"

namespace Terminal::Ui {

// The T-shaped quote of one underlying and month: a row per listed strike, its call's figures on
// the left and its put's mirrored on the right around the strike, each side with the option's
// implied volatility (the surface's, as the options data service answers it). Refresh() reads the
// market again and reports the rows that changed; strikes listed since appear then.
class OptionChainModel : public QAbstractTableModel {
    Q_OBJECT
public:
    // Call side, strike, put side (the put side mirrors the call side).
    enum Column {
        kCallInterest,
        kCallVolume,
        kCallVolatility,
        kCallChange,
        kCallBid,
        kCallAsk,
        kCallLast,
        kStrike,
        kPutLast,
        kPutBid,
        kPutAsk,
        kPutChange,
        kPutVolatility,
        kPutVolume,
        kPutInterest,
        kColumnCount
    };
    // The option a cell shows (-1 on the strike column), for clicks.
    static constexpr int kInstrumentRole = Qt::UserRole + 1;

    explicit OptionChainModel(const Market::Simulator& market, QObject* parent = nullptr);

    // Shows the chain of an underlying (catalogue index) and month ("yyMM").
    void Show(int underlying, const std::string& month);
    int Underlying() const { return m_underlying; }
    const std::string& Month() const { return m_month; }
    // The row of the strike nearest the underlying's price (-1 without rows).
    int AtTheMoneyRow() const { return m_atTheMoney; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Answers how many rows changed.
    int Refresh();

private:
    struct Side {
        int option = -1;
        Kora::Interface::QuoteSnapshot quote{};
        double volatility = 0;
    };
    struct Row {
        int64_t strike = 0;  // the options' price units
        double strikePrice = 0;
        Side call;
        Side put;
    };

    std::vector<Row> ListedRows() const;
    void Read(Side& side) const;
    QVariant Display(const Row& row, int column) const;
    QVariant Foreground(const Row& row, int column) const;
    QVariant Background(const Row& row, int column) const;
    int FindAtTheMoney() const;

    const Market::Simulator& m_market;
    int m_underlying = -1;
    std::string m_month;
    std::vector<Row> m_rows;
    int m_atTheMoney = -1;
};

}  // namespace Terminal::Ui
