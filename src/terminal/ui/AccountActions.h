#pragma once

#include <QMenu>
#include <string>

#include "host/HostRuntime.h"

namespace Terminal::Ui {

// What a trader does with the terminal's trading accounts, each announced to the components:
// logging in ("AccountLogin") and out ("AccountLogout", with "ExitTrade") and choosing the
// current account ("AccountChange" with the account record).
class AccountActions {
public:
    explicit AccountActions(HostRuntime& runtime) : m_runtime(runtime) {}

    bool LogIn(const std::string& accountId);
    bool LogOut(const std::string& accountId);
    bool MakeCurrent(const std::string& accountId);

    // Fills a menu with the accounts: the current one to choose, then log-in and log-out entries.
    void FillMenu(QMenu& menu);

    static QString CategoryText(int category);
    // "80080001 期货" for a menu or a status line.
    static QString Caption(const Market::TradingAccount& account);

private:
    HostRuntime& m_runtime;
};

}  // namespace Terminal::Ui
