#include "ui/CombinationOrderPage.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "host/ContractLookup.h"
#include "host/OrderRequest.h"
#include "kora/utility/JsonAccess.h"
#include "ui/OrderCodeTexts.h"
#include "ui/TerminalTheme.h"

namespace Terminal::Ui {

using Kora::Utility::JsonInt;
using Kora::Utility::JsonText;
using Kora::Utility::Member;

namespace {

const char* const kHeaders[CombinationOrderPage::kColumnCount] = {
    "序号", "合约代码", "合约名称", "买卖", "开平", "备兑", "数量",
};
constexpr int kColumnWidths[CombinationOrderPage::kColumnCount] = {48, 110, 190, 60, 60, 70, 70};

QString AccountText(const Json::Value& request, const Market::Simulator& market) {
    const std::string id = JsonText(request, "EAccountID");
    const auto account =
        id.empty() ? market.AccountByVirtualId(JsonText(request, "VAccountID")) : market.Account(id);
    return account ? QStringLiteral("%1  %2").arg(QString::fromStdString(account->number),
                                                  QString::fromStdString(account->name))
                   : QStringLiteral("当前账户");
}

}  // namespace

CombinationOrderPage::CombinationOrderPage(int combinationId, const Json::Value& request,
                                           const Market::Simulator& market,
                                           Services::KRTAddinPublicService& pages, QWidget* owner)
    : QDialog(owner), m_id(combinationId), m_pages(pages) {
    setObjectName(QStringLiteral("CombinationOrderPage"));
    setProperty("CombinationId", combinationId);
    setWindowTitle(QStringLiteral("多品种"));

    const int64_t multiple = std::max<int64_t>(1, JsonInt(request, "CombinationVolume", 1));
    auto* summary = new QLabel(QStringLiteral("资金账号：%1      价格：%2      组合倍数：%3")
                                   .arg(AccountText(request, market),
                                        QString::fromStdString(JsonText(request, "PriceType", "对手价")))
                                   .arg(multiple),
                               this);
    summary->setObjectName(QStringLiteral("CombinationSummary"));

    m_legs = new QTableWidget(0, kColumnCount, this);
    m_legs->setObjectName(QStringLiteral("CombinationLegs"));
    for (int column = 0; column < kColumnCount; ++column) {
        m_legs->setHorizontalHeaderItem(column, new QTableWidgetItem(QString::fromUtf8(kHeaders[column])));
        m_legs->setColumnWidth(column, kColumnWidths[column]);
    }
    m_legs->verticalHeader()->hide();
    m_legs->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_legs->setSelectionMode(QAbstractItemView::NoSelection);
    m_legs->setShowGrid(false);
    m_legs->setAlternatingRowColors(true);
    m_legs->horizontalHeader()->setStretchLastSection(true);
    FillLegs(request, market);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* confirm = buttons->addButton(QStringLiteral("确认下单"), QDialogButtonBox::AcceptRole);
    confirm->setObjectName(QStringLiteral("ConfirmButton"));
    confirm->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(m_legs, 1);
    layout->addWidget(buttons);
    resize(680, 200 + 24 * std::min(m_legs->rowCount(), 10));
}

void CombinationOrderPage::FillLegs(const Json::Value& request, const Market::Simulator& market) {
    const int64_t multiple = std::max<int64_t>(1, JsonInt(request, "CombinationVolume", 1));
    const Json::Value& legs = Member(request, "OrderList");
    const int count = legs.isArray() ? int(legs.size()) : 0;
    m_legs->setRowCount(count);
    for (int row = 0; row < count; ++row) {
        const Json::Value& leg = legs[Json::ArrayIndex(row)];
        const Market::Instrument* instrument = FindInstrument(market.Catalogue(), leg);
        const char direction = CodeOf(Member(leg, "BS"), '?');
        const QString texts[kColumnCount] = {
            QString::number(row + 1),
            QString::fromStdString(JsonText(Member(leg, "Contract"), "ContractCode")),
            instrument ? QString::fromStdString(instrument->name) : QStringLiteral("未知合约"),
            OrderCodeTexts::Direction(direction),
            OrderCodeTexts::Offset(CodeOf(Member(leg, "OC"), '0')),
            OrderCodeTexts::Covered(CodeOf(Member(leg, "BD"), '0')),
            QString::number(JsonInt(leg, "Volume", 0) * multiple),
        };
        for (int column = 0; column < kColumnCount; ++column) {
            auto* item = new QTableWidgetItem(texts[column]);
            item->setTextAlignment(column == kVolume ? Qt::AlignRight | Qt::AlignVCenter
                                                     : Qt::AlignLeft | Qt::AlignVCenter);
            if (column == kDirection) {
                item->setForeground(direction == '0' ? Theme::kRise : Theme::kFall);
            } else if (column == kCode) {
                item->setForeground(Theme::kCode);
            }
            m_legs->setItem(row, column, item);
        }
    }
}

void CombinationOrderPage::accept() {
    m_pages.Confirm(m_id);
    QDialog::accept();
}

void CombinationOrderPage::reject() {
    m_pages.Cancel(m_id);
    QDialog::reject();
}

}  // namespace Terminal::Ui
