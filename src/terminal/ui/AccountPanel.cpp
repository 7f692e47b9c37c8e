#include "ui/AccountPanel.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLocale>
#include <QMenu>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/TerminalTheme.h"

namespace Terminal::Ui {

namespace {

enum Column { kNumber, kName, kCategory, kState, kTotal, kAvailable, kMargin, kProfit, kRisk, kColumnCount };

const char* const kHeaders[kColumnCount] = {
    "资金账号", "账户名称", "类别", "状态", "总资产", "可用资金", "保证金", "持仓盈亏", "风险度",
};
constexpr int kColumnWidths[kColumnCount] = {110, 150, 80, 70, 130, 130, 110, 100, 70};
constexpr int kRowHeight = 24;

QString Money(double value) {
    return QLocale(QLocale::English).toString(value, 'f', 2);
}

}  // namespace

AccountPanel::AccountPanel(HostRuntime& runtime, AccountActions& actions, QWidget* parent)
    : QWidget(parent), m_runtime(runtime), m_actions(actions) {
    setObjectName(QStringLiteral("AccountPanel"));
    m_table = new QTableWidget(0, kColumnCount, this);
    m_table->setObjectName(QStringLiteral("AccountList"));
    for (int column = 0; column < kColumnCount; ++column) {
        m_table->setHorizontalHeaderItem(column, new QTableWidgetItem(QString::fromUtf8(kHeaders[column])));
        m_table->setColumnWidth(column, kColumnWidths[column]);
    }
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setShowGrid(false);
    m_table->setAlternatingRowColors(true);
    m_table->verticalHeader()->hide();
    m_table->verticalHeader()->setDefaultSectionSize(kRowHeight);
    for (int column = kTotal; column < kColumnCount; ++column) {
        m_table->horizontalHeader()->setSectionResizeMode(column, QHeaderView::Stretch);
    }
    m_table->horizontalHeader()->setHighlightSections(false);
    m_table->setContextMenuPolicy(Qt::NoContextMenu);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_table);

    connect(m_table, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        m_actions.MakeCurrent(AccountAtRow(row));
        Refresh();
    });
    m_refresh = new QTimer(this);
    connect(m_refresh, &QTimer::timeout, this, &AccountPanel::Refresh);
    m_refresh->start(kRefreshMs);
    Refresh();
}

std::string AccountPanel::AccountAtRow(int row) const {
    const QTableWidgetItem* item = m_table->item(row, kNumber);
    return item ? item->data(Qt::UserRole).toString().toStdString() : std::string();
}

void AccountPanel::Refresh() {
    const auto accounts = m_runtime.Market().Accounts();
    const std::string current = m_runtime.Engine().CurrentAccountId();
    m_table->setRowCount(int(accounts.size()));
    for (int row = 0; row < int(accounts.size()); ++row) {
        const Market::TradingAccount& account = accounts[size_t(row)];
        const bool loggedIn = m_runtime.Market().IsLoggedIn(account.eAccountId);
        const auto money = m_runtime.Market().Money(account.eAccountId);
        const QString texts[kColumnCount] = {
            QString::fromStdString(account.number),
            QString::fromStdString(account.name),
            AccountActions::CategoryText(account.category),
            loggedIn ? QStringLiteral("已登录") : QStringLiteral("未登录"),
            money ? Money(money->totalAsset) : QString(),
            money ? Money(money->available) : QString(),
            money ? Money(money->margin) : QString(),
            money ? Money(money->positionProfit) : QString(),
            money ? QString::asprintf("%.2f%%", money->riskDegree) : QString(),
        };
        for (int column = 0; column < kColumnCount; ++column) {
            QTableWidgetItem* item = m_table->item(row, column);
            if (!item) {
                item = new QTableWidgetItem;
                m_table->setItem(row, column, item);
            }
            item->setText(texts[column]);
            item->setTextAlignment(column >= kTotal ? Qt::AlignRight | Qt::AlignVCenter
                                                    : Qt::AlignLeft | Qt::AlignVCenter);
            QFont font = item->font();
            font.setBold(account.eAccountId == current);
            item->setFont(font);
            QColor colour = Theme::kFlat;
            if (column == kState) {
                colour = loggedIn ? Theme::kFall : Theme::kMuted;
            } else if (column == kNumber) {
                colour = Theme::kCode;
            } else if (column == kProfit && money && money->positionProfit != 0) {
                colour = money->positionProfit > 0 ? Theme::kRise : Theme::kFall;
            }
            item->setForeground(colour);
        }
        m_table->item(row, kNumber)->setData(Qt::UserRole, QString::fromStdString(account.eAccountId));
    }
}

void AccountPanel::contextMenuEvent(QContextMenuEvent* event) {
    const QPoint inTable = m_table->viewport()->mapFrom(this, event->pos());
    const std::string id = AccountAtRow(m_table->rowAt(inTable.y()));
    if (id.empty()) {
        return;
    }
    QMenu menu(this);
    const bool loggedIn = m_runtime.Market().IsLoggedIn(id);
    connect(menu.addAction(QStringLiteral("设为当前账户")), &QAction::triggered, this,
            [this, id] { m_actions.MakeCurrent(id); });
    menu.addSeparator();
    connect(menu.addAction(loggedIn ? QStringLiteral("退出账户") : QStringLiteral("登录账户")),
            &QAction::triggered, this,
            [this, id, loggedIn] { loggedIn ? m_actions.LogOut(id) : m_actions.LogIn(id); });
    menu.exec(event->globalPos());
    Refresh();
}

}  // namespace Terminal::Ui
