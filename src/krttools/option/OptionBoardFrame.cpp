#include "option/OptionBoardFrame.h"

#include <algorithm>

#include "option/pricing/ImpliedVolatility.h"

namespace OptionBoard {

namespace I = Kora::Interface;
using OptionValuation::PricingArguments;

Quote QuoteOf(const I::QuoteSnapshot& snapshot) {
    return {true, snapshot.book[0].bid.price, snapshot.book[0].ask.price, snapshot.last};
}

PricingArguments ArgumentsOf(const I::OptionRecord& record, const Market& market) {
    const int32_t days = OptionValuation::CalendarDaysToExpiry(market.now, record.expiry);
    return {OptionValuation::PutFlag(record),
            OptionValuation::FormulaSelector(record.classLetter, OptionValuation::UnknownClass::kSpot),
            market.S,
            OptionValuation::StrikePrice(record),
            record.impliedVolatility,
            market.r,
            OptionValuation::YearsToExpiry(days, 1)};
}

namespace {

QString Price(double value, int decimals) {
    return QString::number(value, 'f', std::clamp(decimals, 0, 8));
}

// The text of one option cell; empty when there is nothing to show.
QString CellText(const Option& option, const Quote& quote, bool sell, Tab tab, const Market& market) {
    if (!quote.known) {
        return {};
    }
    const int32_t divisor = option.info.priceDivisor;
    const int32_t units = tab == Tab::kLastPrice ? quote.last : sell ? quote.ask : quote.bid;
    if (units <= 0 || divisor <= 0) {
        return {};
    }
    const double price = OptionValuation::FromPriceUnits(units, divisor);
    switch (tab) {
        case Tab::kImpliedVolatility: {
            const PricingArguments a = ArgumentsOf(option.record, market);
            double sigma = 0;
            if (!OptionPricing::ImpliedVolatility(a.put, a.optionType, a.S, a.K, a.sigma, a.r, a.T, price,
                                                  sigma)) {
                return {};
            }
            return QString::number(std::max(sigma, 0.0), 'f', 4);
        }
        case Tab::kMarketPrice:
        case Tab::kLastPrice:
            return Price(price, option.info.decimals);
        case Tab::kTimeValue: {
            const double K = OptionValuation::StrikePrice(option.record);
            const double intrinsic =
                option.record.IsPut() ? std::max(0.0, K - market.S) : std::max(0.0, market.S - K);
            return Price(std::max(0.0, price - intrinsic), option.info.decimals);
        }
    }
    return {};
}

}  // namespace

Frame ComputeFrame(const std::vector<Row>& rows, const std::vector<RowQuotes>& quotes, Tab tab,
                   const Market& market) {
    Frame frame;
    frame.texts.resize(rows.size());
    frame.inTheMoney.resize(rows.size());
    if (rows.empty()) {
        return frame;
    }
    std::vector<I::OptionChainRow> strikes(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        strikes[i].strike = rows[i].strike;
    }
    frame.atTheMoney = OptionValuation::AtTheMoneyStrike(strikes, market.S, rows.front().strikeDivisor);

    for (size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        const bool atTheMoney = frame.atTheMoney && row.strike == *frame.atTheMoney;
        if (atTheMoney) {
            frame.atTheMoneyRow = static_cast<int>(i);
        }
        const Option* any = row.call ? &*row.call : row.put ? &*row.put : nullptr;
        const double strike = static_cast<double>(row.strike) / std::max(row.strikeDivisor, 1);
        frame.texts[i][kStrike] =
            Price(strike, any ? any->info.decimals : 0) + (atTheMoney ? QStringLiteral(" 平值") : QString());
        for (const bool put : {false, true}) {
            if (frame.atTheMoney) {
                frame.inTheMoney[i][put] = OptionValuation::MoneynessOf(put, row.strike, *frame.atTheMoney) ==
                                           OptionValuation::Moneyness::kInTheMoney;
            }
            const std::optional<Option>& option = put ? row.put : row.call;
            if (!option || i >= quotes.size()) {
                continue;
            }
            const Quote& quote = quotes[i][put];
            const int buyColumn = put ? kPutBuy : kCallBuy;
            const int sellColumn = put ? kPutSell : kCallSell;
            frame.texts[i][buyColumn] = CellText(*option, quote, false, tab, market);
            frame.texts[i][sellColumn] = CellText(*option, quote, true, tab, market);
        }
    }
    return frame;
}

}  // namespace OptionBoard
