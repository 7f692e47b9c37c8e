#include "ui/ConditionOrderPage.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
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

    // The condition: the request's own, or the latest price and the direction's usual comparison.
    m_trigger = Kora::Utility::Member(params, "Trigger").isObject() ? params["Trigger"]
                                                                    : Json::Value(Json::objectValue);
    m_comparison = new QComboBox(this);
    m_comparison->setObjectName(QStringLiteral("TriggerCondition"));
    m_comparison->addItem(QStringLiteral("最新价 ≥"), QStringLiteral(">="));
    m_comparison->addItem(QStringLiteral("最新价 ≤"), QStringLiteral("<="));
    const std::string condition = Kora::Utility::JsonText(m_trigger, "Condition");
    const bool below = condition == "<=" || condition == "小于等于" ||
                       (condition.empty() && Kora::Utility::JsonText(params, "Direction", "0") != "0");
    m_comparison->setCurrentIndex(below ? 1 : 0);
    m_level = new QDoubleSpinBox(this);
    m_level->setObjectName(QStringLiteral("TriggerPrice"));
    m_level->setRange(0, 1e9);
    if (instrument) {
        m_level->setDecimals(instrument->decimals);
        m_level->setSingleStep(instrument->ToPrice(instrument->tick));
    }
    const QString given = QString::fromStdString(Kora::Utility::JsonText(m_trigger, "Price"));
    bool ok = false;
    const double level = given.toDouble(&ok);
    m_level->setValue(ok ? level : instrument ? market.MarkPrice(instrument->index) : 0.0);
    auto* trigger = new QFormLayout;
    trigger->addRow(QStringLiteral("触发条件："), m_comparison);
    trigger->addRow(QStringLiteral("触发价格："), m_level);

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
    layout->addLayout(trigger);
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

Json::Value ConditionOrderPage::Trigger() const {
    Json::Value trigger = m_trigger;
    trigger["Price"] = QString::number(m_level->value(), 'f', m_level->decimals()).toStdString();
    trigger["Condition"] = m_comparison->currentData().toString().toStdString();
    return trigger;
}

bool ConditionOrderPage::Ask(const QString& function, Json::Value& params, const Market::Simulator& market,
                             QWidget* owner) {
    ConditionOrderPage page(function, params, market, owner);
    if (Win::RunModal(page) != QDialog::Accepted) {
        return false;
    }
    params["Trigger"] = page.Trigger();
    return true;
}

}  // namespace Terminal::Ui
