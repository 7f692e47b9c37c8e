#include "ui/ConditionOrderPage.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "host/ContractLookup.h"
#include "kora/utility/JsonAccess.h"
#include "platform/ModalRunner.h"
#include "ui/TerminalTheme.h"

namespace Terminal::Ui {

namespace {

QString ValueText(const Json::Value& value) {
    if (value.isString()) {
        return QString::fromStdString(value.asString());
    }
    return QString::fromStdString(Kora::Utility::JsonToLine(value));
}

}  // namespace

ConditionOrderPage::ConditionOrderPage(const QString& function, const Json::Value& params,
                                       const Market::Simulator& market, QWidget* owner)
    : QDialog(owner) {
    setObjectName(QStringLiteral("ConditionOrderPage"));
    setWindowTitle(QStringLiteral("条件单"));

    const Market::Instrument* instrument = FindInstrument(market.Catalogue(), params);
    auto* summary =
        new QLabel(QStringLiteral("合约：%1      来源：%2")
                       .arg(instrument ? QStringLiteral("%1 %2").arg(QString::fromStdString(instrument->code),
                                                                     QString::fromStdString(instrument->name))
                                       : QStringLiteral("未知合约"),
                            function),
                   this);

    m_parameters = new QTableWidget(0, 2, this);
    m_parameters->setObjectName(QStringLiteral("ConditionParameters"));
    m_parameters->setHorizontalHeaderLabels({QStringLiteral("参数"), QStringLiteral("值")});
    m_parameters->verticalHeader()->hide();
    m_parameters->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_parameters->setSelectionMode(QAbstractItemView::NoSelection);
    m_parameters->setShowGrid(false);
    m_parameters->setAlternatingRowColors(true);
    m_parameters->setColumnWidth(0, 200);
    m_parameters->horizontalHeader()->setStretchLastSection(true);
    if (params.isObject()) {
        for (const std::string& name : params.getMemberNames()) {
            AddRow(QString::fromStdString(name), params[name]);
        }
    }

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* confirm = buttons->addButton(QStringLiteral("确认"), QDialogButtonBox::AcceptRole);
    confirm->setObjectName(QStringLiteral("ConfirmButton"));
    confirm->setDefault(true);
    buttons->addButton(QStringLiteral("取消"), QDialogButtonBox::RejectRole)
        ->setObjectName(QStringLiteral("CancelButton"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary);
    layout->addWidget(m_parameters, 1);
    layout->addWidget(buttons);
    resize(520, 360);
}

void ConditionOrderPage::AddRow(const QString& name, const Json::Value& value) {
    if (value.isObject() && !value.empty()) {
        for (const std::string& member : value.getMemberNames()) {
            AddRow(name + QLatin1Char('.') + QString::fromStdString(member), value[member]);
        }
        return;
    }
    const int row = m_parameters->rowCount();
    m_parameters->insertRow(row);
    auto* key = new QTableWidgetItem(name);
    key->setForeground(Theme::kMuted);
    m_parameters->setItem(row, 0, key);
    m_parameters->setItem(row, 1, new QTableWidgetItem(ValueText(value)));
}

bool ConditionOrderPage::Ask(const QString& function, const Json::Value& params,
                             const Market::Simulator& market, QWidget* owner) {
    ConditionOrderPage page(function, params, market, owner);
    return Win::RunModal(page) == QDialog::Accepted;
}

}  // namespace Terminal::Ui
