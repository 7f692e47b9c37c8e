#pragma once

#include <map>
#include <string>
#include <vector>

#include "market/Instrument.h"

namespace Terminal::Market {

// A trading account of the simulated terminal.
struct TradingAccount {
    std::string eAccountId;  // "EAccountID"
    std::string vAccountId;  // "VAccountID"
    std::string number;      // "249": the account number users and order files know
    std::string name;
    std::string identity;  // "Identity": "融资融券" marks the credit account
    std::string password;  // the trading password
    int category = 0;      // 0 securities, 5 credit, 6 stock options, 8 futures
    double initialCash = 0;
    double creditLine = 0;  // financing available to financed buys ('a')
    // Shares the broker lends this account for short sales ('b'), by stock code.
    std::map<std::string, int64_t> lendableShares;
    // Shares of the underlyings that may cover calls written with the covered flag, by code.
    std::map<std::string, int64_t> coverableShares;
};

// The accounts every simulated terminal logs in, with fixed numbers:
//
//   EAccountID  VAccountID  "249"      Category  Identity  cash        trades
//   E1001       V1001       10010001   0         普通      1,000,000   stocks and funds
//   E1005       V1005       10050001   5         融资融券  1,000,000   stocks and funds, on credit
//                                                                       (credit line 500,000;
//                                                                       shares to borrow below)
//   E1006       V1006       10060001   6         个股期权    500,000   fund options (class 'o');
//                                                                       200,000 shares each of
//                                                                       510050 and 510300 to cover
//                                                                       calls with
//   E1008       V1008       80080001   8         期货      2,000,000   futures and futures options ('n')
//
// Shares the credit account may borrow: 600000 200,000; 600519 2,000; 601988 500,000;
// 000001 200,000; 300750 10,000; 510050 and 510300 1,000,000 each. Every trading password is
// "123456".
const std::vector<TradingAccount>& DefaultAccounts();

// Whether an account of that category may trade the instrument.
bool AccountTrades(const TradingAccount& account, const Instrument& instrument);

}  // namespace Terminal::Market
