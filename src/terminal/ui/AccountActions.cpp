#include "ui/AccountActions.h"

#include <QActionGroup>

#include "host/Records.h"
#include "kora/interface/Topics.h"

namespace Terminal::Ui {

bool AccountActions::LogIn(const std::string& accountId) {
    return m_runtime.SetLoggedIn(accountId, true);
}

bool AccountActions::LogOut(const std::string& accountId) {
    return m_runtime.SetLoggedIn(accountId, false);
}

bool AccountActions::MakeCurrent(const std::string& accountId) {
    const auto account = m_runtime.Market().Account(accountId);
    if (!account || !m_runtime.Engine().SetCurrentAccount(accountId)) {
        return false;
    }
    m_runtime.Messages().Post(Kora::Interface::Topic::kAccountChange,
                              Records::Account(*account, m_runtime.Market().IsLoggedIn(accountId)));
    return true;
}

QString AccountActions::CategoryText(int category) {
    switch (category) {
        case 0:
            return QStringLiteral("证券");
        case 5:
            return QStringLiteral("融资融券");
        case 6:
            return QStringLiteral("个股期权");
        default:
            return QStringLiteral("期货");
    }
}

QString AccountActions::Caption(const Market::TradingAccount& account) {
    return QStringLiteral("%1 %2").arg(QString::fromStdString(account.number),
                                       CategoryText(account.category));
}

void AccountActions::FillMenu(QMenu& menu) {
    menu.clear();
    const std::string current = m_runtime.Engine().CurrentAccountId();
    auto* group = new QActionGroup(&menu);
    menu.addSection(QStringLiteral("当前账户"));
    const auto accounts = m_runtime.Market().Accounts();
    for (const Market::TradingAccount& account : accounts) {
        QAction* action = menu.addAction(Caption(account));
        action->setCheckable(true);
        action->setChecked(account.eAccountId == current);
        action->setActionGroup(group);
        const std::string id = account.eAccountId;
        QObject::connect(action, &QAction::triggered, &menu, [this, id] { MakeCurrent(id); });
    }
    menu.addSeparator();
    QMenu* logIn = menu.addMenu(QStringLiteral("登录账户"));
    QMenu* logOut = menu.addMenu(QStringLiteral("退出账户"));
    for (const Market::TradingAccount& account : accounts) {
        const std::string id = account.eAccountId;
        const bool loggedIn = m_runtime.Market().IsLoggedIn(id);
        QAction* action = (loggedIn ? logOut : logIn)->addAction(Caption(account));
        QObject::connect(action, &QAction::triggered, &menu, [this, id, loggedIn] {
            if (loggedIn) {
                LogOut(id);
            } else {
                LogIn(id);
            }
        });
    }
    logIn->setEnabled(!logIn->isEmpty());
    logOut->setEnabled(!logOut->isEmpty());
}

}  // namespace Terminal::Ui
