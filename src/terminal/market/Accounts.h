#pragma once

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
};

// The accounts every simulated terminal logs in, with fixed numbers:
//
//   EAccountID  VAccountID  "249"      Category  Identity  cash        trades
//   E1001       V1001       10010001   0         普通      1,000,000   stocks and funds
//   E1005       V1005       10050001   5         融资融券  1,000,000   stocks and funds, on credit
//                                                                       (credit line 500,000)
//   E1006       V1006       10060001   6         个股期权    500,000   fund options (class 'o')
//   E1008       V1008       80080001   8         期货      2,000,000   futures and futures options ('n')
//
// Every trading password is "123456".
const std::vector<TradingAccount>& DefaultAccounts();

// Whether an account of that category may trade the instrument.
bool AccountTrades(const TradingAccount& account, const Instrument& instrument);

}  // namespace Terminal::Market
