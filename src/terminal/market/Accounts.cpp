#include "market/Accounts.h"

namespace Terminal::Market {

const std::vector<TradingAccount>& DefaultAccounts() {
    static const std::vector<TradingAccount> accounts{
        {"E1001", "V1001", "10010001", "模拟证券账户", "普通", "123456", 0, 1'000'000.0, 0.0, {}, {}},
        {"E1005",
         "V1005",
         "10050001",
         "模拟信用账户",
         "融资融券",
         "123456",
         5,
         1'000'000.0,
         500'000.0,
         {{"600000", 200'000},
          {"600519", 2'000},
          {"601988", 500'000},
          {"000001", 200'000},
          {"300750", 10'000},
          {"510050", 1'000'000},
          {"510300", 1'000'000}},
         {}},
        {"E1006",
         "V1006",
         "10060001",
         "模拟个股期权账户",
         "个股期权",
         "123456",
         6,
         500'000.0,
         0.0,
         {},
         {{"510050", 200'000}, {"510300", 200'000}}},
        {"E1008", "V1008", "80080001", "模拟期货账户", "期货", "123456", 8, 2'000'000.0, 0.0, {}, {}},
    };
    return accounts;
}

bool AccountTrades(const TradingAccount& account, const Instrument& instrument) {
    switch (account.category) {
        case 0:
        case 5:
            return instrument.IsSecurity();
        case 6:
            return instrument.kind == InstrumentKind::StockOption;
        case 8:
            return instrument.kind == InstrumentKind::Future ||
                   instrument.kind == InstrumentKind::FutureOption;
        default:
            return false;
    }
}

}  // namespace Terminal::Market
