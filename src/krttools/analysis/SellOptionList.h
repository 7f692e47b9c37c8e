#pragma once

#include <QAbstractTableModel>
#include <optional>
#include <vector>

#include "kora/interface/OptionRecord.h"
#include "kora/interface/QuoteKey.h"
#include "option/valuation/ValuationInputs.h"

// The options of one underlying as the seller analysis lists them, with the options data
// service's own figures: name, latest price, premium rate, leverage, intrinsic and time value,
// the five Greeks and the contract unit. Cells are formatted when they are drawn.
//
// Filters: the expiry months (all; the nearest, the first month the service lists; the nearest
// three), the kind (calls, puts) and the moneyness against each month's at-the-money strike,
// the strike nearest the underlying's price (OptionValuation::AtTheMoneyStrike). While the
// underlying has no price the moneyness cannot be told and the moneyness boxes hide nothing.
class SellOptionList : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Filter {
        enum Months { kAllMonths, kNearestMonth, kNearestThreeMonths };
        Months months = kAllMonths;
        bool calls = true;
        bool puts = true;
        bool inTheMoney = true;
        bool atTheMoney = true;
        bool outOfTheMoney = true;
    };

    enum Column {
        kName,
        kLastPrice,
        kPremiumRate,
        kLeverage,
        kIntrinsicValue,
        kTimeValue,
        kDelta,
        kGamma,
        kRho,
        kTheta,
        kVega,
        kContractUnit,
        kColumnCount
    };
    // Width in pixels of a column, as the list is laid out.
    static int ColumnWidth(int column);

    explicit SellOptionList(QObject* parent = nullptr);

    // Reads the underlying's options, in the service's order (months nearest first, strikes
    // ascending), with their figures and moneyness.
    void Load(const Kora::Interface::QuoteKey& underlying);
    void SetFilter(const Filter& filter);
    const Filter& CurrentFilter() const { return m_filter; }
    // Reads the figures and prices again; the rows stay as they are.
    void RefreshFigures();

    const Kora::Interface::QuoteKey& Underlying() const { return m_underlying; }
    // The option shown on a row (invalid for a row out of range); the row of an option (−1 when
    // it is not shown).
    Kora::Interface::QuoteKey KeyAt(int row) const;
    int RowOf(const Kora::Interface::QuoteKey& option) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    struct Option {
        Kora::Interface::QuoteKey key;
        int monthIndex = 0;
        QString name;
        int decimals = 0;
        int32_t priceDivisor = 0;
        Kora::Interface::OptionRecord record;
        double lastPrice = 0;  // 0: none
        std::optional<OptionValuation::Moneyness> moneyness;
    };

    void ReadFigures(Option& option) const;
    void ReadMoneyness();
    bool Passes(const Option& option) const;
    void Refilter();

    Kora::Interface::QuoteKey m_underlying;
    std::vector<Option> m_options;
    std::vector<size_t> m_shown;  // indexes into m_options
    Filter m_filter;
};
