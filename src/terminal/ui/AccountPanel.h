#pragma once

#include <QWidget>

#include "host/HostRuntime.h"
#include "ui/AccountActions.h"

class QTableWidget;
class QTimer;

namespace Terminal::Ui {

// The terminal's trading accounts with their state and money, refreshed every second. The
// current account is shown in bold; a double click makes an account current; the context menu
// logs it in or out.
class AccountPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRefreshMs = 1000;

    AccountPanel(HostRuntime& runtime, AccountActions& actions, QWidget* parent = nullptr);

    QTableWidget* Table() const { return m_table; }
    void Refresh();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    std::string AccountAtRow(int row) const;

    HostRuntime& m_runtime;
    AccountActions& m_actions;
    QTableWidget* m_table = nullptr;
    QTimer* m_refresh = nullptr;
};

}  // namespace Terminal::Ui
