#include "option/CDlgOptionPriceCalc.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "KRUI.h"
#include "chooser/CDlgDownQuotaData.h"
#include "chooser/CDlgSel.h"
#include "kernel/HostAccess.h"
#include "kora/interface/OptionsDataSvcI.h"
#include "option/pricing/BinomialTree.h"
#include "option/pricing/ImpliedVolatility.h"
#include "option/pricing/OptionGreeks.h"
#include "option/pricing/OptionPricing.h"
#include "option/valuation/HisVolatility.h"
#include "platform/ControlId.h"
#include "platform/DlgItemText.h"

using Kora::Kernel::GetService;
using Kora::Utility::Handle;
namespace I = Kora::Interface;

namespace {

QString Fixed4(double value) {
    return QString::asprintf("%.04lf", value);
}

}  // namespace

CDlgOptionPriceCalc::CDlgOptionPriceCalc(QWidget* parent) : CKrDlg(kTemplateId, parent) {
    setWindowTitle(QStringLiteral("期权定价计算"));
    BuildControls();
}

QComboBox* CDlgOptionPriceCalc::Combo(int id) const {
    return Win::FindControl<QComboBox>(this, id);
}

void CDlgOptionPriceCalc::BuildControls() {
    auto* outer = new QVBoxLayout(this);
    auto addEdit = [this](QGridLayout* grid, int row, int column, const QString& label, int id,
                          bool readOnly) {
        grid->addWidget(new QLabel(label, this), row, column);
        auto* edit = new QLineEdit(this);
        Win::SetControlId(edit, id);
        edit->setReadOnly(readOnly);
        grid->addWidget(edit, row, column + 1);
        return edit;
    };
    auto addCombo = [this](QGridLayout* grid, int row, int column, const QString& label, int id,
                           const QStringList& items) {
        grid->addWidget(new QLabel(label, this), row, column);
        auto* combo = new QComboBox(this);
        Win::SetControlId(combo, id);
        combo->addItems(items);
        combo->setCurrentIndex(-1);
        grid->addWidget(combo, row, column + 1);
        return combo;
    };

    auto* choice = new QGroupBox(QStringLiteral("期权"), this);
    auto* choiceGrid = new QGridLayout(choice);
    m_existing = new QRadioButton(QStringLiteral("已存在的期权"), choice);
    Win::SetControlId(m_existing, kExistingRadio);
    m_new = new QRadioButton(QStringLiteral("计算新期权"), choice);
    Win::SetControlId(m_new, kNewRadio);
    m_new->hide();
    auto* name = new QLineEdit(choice);
    Win::SetControlId(name, kOptionName);
    name->setReadOnly(true);
    auto* chooseButton = new QPushButton(QStringLiteral("选择期权"), choice);
    Win::SetControlId(chooseButton, kChooseButton);
    choiceGrid->addWidget(m_existing, 0, 0);
    choiceGrid->addWidget(m_new, 0, 1);
    choiceGrid->addWidget(name, 0, 2);
    choiceGrid->addWidget(chooseButton, 0, 3);
    choiceGrid->setColumnStretch(2, 1);
    outer->addWidget(choice);

    auto* params = new QGroupBox(QStringLiteral("参数"), this);
    auto* grid = new QGridLayout(params);
    addCombo(grid, 0, 0, QStringLiteral("期权类型"), kClassCombo,
             {QStringLiteral("期货期权"), QStringLiteral("股票期权"), QStringLiteral("股指期权")});
    addCombo(grid, 0, 2, QStringLiteral("种类"), kKindCombo,
             {QStringLiteral("认购"), QStringLiteral("认沽")});
    addCombo(grid, 0, 4, QStringLiteral("行权方式"), kStyleCombo,
             {QStringLiteral("欧式"), QStringLiteral("美式"), QStringLiteral("百慕大")});
    addEdit(grid, 1, 0, QStringLiteral("期权标的"), kUnderlyingName, false)->setEnabled(false);
    addEdit(grid, 1, 2, QStringLiteral("标的价格"), kUnderlyingPrice, false);
    addEdit(grid, 1, 4, QStringLiteral("行权价格"), kStrike, false);
    addEdit(grid, 2, 0, QStringLiteral("期权到期日"), kExpiryDate, false);
    addEdit(grid, 2, 2, QStringLiteral("期权到期天数"), kDaysToExpiry, false);
    addCombo(grid, 2, 4, QStringLiteral("计算模型"), kModelCombo,
             {QStringLiteral("B-S模型"), QStringLiteral("二叉树模型")});
    grid->addWidget(new QLabel(QStringLiteral("无风险利率"), params), 3, 0);
    auto* rateRow = new QHBoxLayout;
    auto* rate = new QLineEdit(params);
    Win::SetControlId(rate, kRate);
    rateRow->addWidget(rate, 1);
    auto* spinUp = new QToolButton(params);
    spinUp->setArrowType(Qt::UpArrow);
    Win::SetControlId(spinUp, kRateSpinUp);
    auto* spinDown = new QToolButton(params);
    spinDown->setArrowType(Qt::DownArrow);
    Win::SetControlId(spinDown, kRateSpinDown);
    rateRow->addWidget(spinUp);
    rateRow->addWidget(spinDown);
    rateRow->addWidget(new QLabel(QStringLiteral("%"), params));
    grid->addLayout(rateRow, 3, 1);
    addEdit(grid, 3, 2, QStringLiteral("历史数据计算天数"), kHistoryDays, false);
    addEdit(grid, 3, 4, QStringLiteral("计算层数"), kLayers, false);
    outer->addWidget(params);

    auto* results = new QGroupBox(QStringLiteral("计算结果"), this);
    auto* resultGrid = new QGridLayout(results);
    const std::pair<const char*, int> resultFields[] = {
        {"历史波动率", kHisVolatility},
        {"内在价值", kIntrinsicValue},
        {"时间价值", kTimeValue},
        {"Delta", kDelta},
        {"Gamma", kGamma},
        {"Theta", kTheta},
        {"Rho", kRho},
        {"Vega", kVega},
        {"理论价格", kTheoreticalPrice},
        {"隐含波动率", kImpliedVolatility},
    };
    int index = 0;
    for (const auto& [label, id] : resultFields) {
        addEdit(resultGrid, index / 3, (index % 3) * 2, QString::fromUtf8(label), id, true);
        ++index;
    }
    outer->addWidget(results);

    auto* bottom = new QGridLayout;
    addEdit(bottom, 0, 0, QStringLiteral("期权实际价格"), kMarketPrice, false);
    auto* download = new QPushButton(QStringLiteral("下载历史数据"), this);
    Win::SetControlId(download, kDownloadButton);
    download->setEnabled(false);
    auto* compute = new QPushButton(QStringLiteral("开始计算"), this);
    Win::SetControlId(compute, kComputeButton);
    compute->setDefault(true);
    bottom->addWidget(download, 0, 2);
    bottom->addWidget(compute, 0, 3);
    auto* hint = new QLabel(QStringLiteral("请确保标的物的历史K线完整！"), this);
    Win::SetControlId(hint, kHint);
    hint->setStyleSheet(QStringLiteral("color: #C00000;"));
    bottom->addWidget(hint, 1, 0, 1, 4);
    outer->addLayout(bottom);
    resize(600, 420);

    connect(m_existing, &QRadioButton::toggled, this, [this] { ApplyModeRule(); });
    connect(m_new, &QRadioButton::toggled, this, [this] { ApplyModeRule(); });
    connect(Combo(kStyleCombo), &QComboBox::currentIndexChanged, this, [this] { ApplyStyleRule(); });
    connect(chooseButton, &QPushButton::clicked, this, [this] { ChooseOption(); });
    connect(compute, &QPushButton::clicked, this, [this] { Compute(); });
    connect(spinUp, &QToolButton::clicked, this, [this] { OnRateSpin(-1); });
    connect(spinDown, &QToolButton::clicked, this, [this] { OnRateSpin(1); });
}

bool CDlgOptionPriceCalc::OnInitDialog() {
    m_existing->setChecked(true);
    Win::SetDlgItemText(this, kLayers, QStringLiteral("20"));
    Win::SetDlgItemText(this, kHistoryDays, QStringLiteral("60"));
    ApplyModeRule();
    ApplyStyleRule();
    return true;
}

void CDlgOptionPriceCalc::ApplyModeRule() {
    const bool existing = m_existing->isChecked();
    Win::FindControl<QLineEdit>(this, kOptionName)->setEnabled(existing);
    Win::FindControl(this, kChooseButton)->setEnabled(existing);
    for (int id : {kClassCombo, kKindCombo, kStyleCombo}) {
        Combo(id)->setEnabled(!existing);
    }
    Win::FindControl<QLineEdit>(this, kMarketPrice)->setEnabled(true);
    Win::FindControl<QLineEdit>(this, kUnderlyingName)->setEnabled(false);
}

void CDlgOptionPriceCalc::ApplyStyleRule() {
    QComboBox* model = Combo(kModelCombo);
    if (Combo(kStyleCombo)->currentIndex() != 0) {
        model->setCurrentIndex(kBinomial);
        model->setEnabled(false);
    } else {
        model->setCurrentIndex(kBlackScholes);
        model->setEnabled(true);
    }
}

void CDlgOptionPriceCalc::OnRateSpin(int delta) {
    Win::SetDlgItemText(
        this, kRate,
        QString::asprintf("%.02f", Win::TextToDouble(Win::GetDlgItemText(this, kRate)) - delta / 10.0));
}

void CDlgOptionPriceCalc::ChooseOption() {
    CDlgSel chooser(this);
    chooser.DoModal();
    if (chooser.Choice().marketId < 0) {
        return;
    }
    TakeOption(chooser.Choice());
}

void CDlgOptionPriceCalc::TakeOption(const I::QuoteKey& option) {
    m_option = option;
    Win::SetDlgItemText(this, kMarketPrice, QString());
    m_listed = OptionValuation::ListedOption::Read(option);
    if (!m_listed) {
        return;
    }
    const I::ContractInfo& info = m_listed->Info();
    const I::OptionRecord& record = m_listed->Record();
    Win::SetDlgItemText(this, kOptionName, info.name);
    int classIndex = record.classLetter - 'n';
    Combo(kClassCombo)->setCurrentIndex(classIndex >= 0 && classIndex <= 2 ? classIndex : -1);
    Combo(kKindCombo)->setCurrentIndex(record.IsPut() ? 1 : 0);
    Combo(kStyleCombo)
        ->setCurrentIndex(record.exerciseStyle >= 0 && record.exerciseStyle <= 2 ? record.exerciseStyle : -1);
    Combo(kModelCombo)
        ->setCurrentIndex(record.exerciseStyle >= 0 && record.exerciseStyle <= 1 ? record.exerciseStyle : -1);
    if (m_existing->isChecked()) {
        Combo(kModelCombo)->setEnabled(record.exerciseStyle == 0);
    }

    if (m_listed->UnderlyingKey().IsValid()) {
        CDlgDownQuotaData download(this);
        download.contracts = {option, m_listed->UnderlyingKey()};
        download.DoModal();
        const I::ContractInfo& underlyingInfo = m_listed->UnderlyingInfo();
        Win::SetDlgItemText(this, kUnderlyingName, underlyingInfo.name);
        const std::optional<double> S = m_listed->UnderlyingPrice(OptionValuation::PriceSource::kLast);
        Win::SetDlgItemText(
            this, kUnderlyingPrice,
            S ? QString::number(*S, 'f', std::clamp(underlyingInfo.decimals, 0, 8)) : QStringLiteral("--"));
    }
    Win::SetDlgItemText(this, kStrike,
                        QString::number(m_listed->Strike(), 'f', std::clamp(info.decimals, 0, 8)));
    Win::SetDlgItemText(this, kRate, QString::asprintf("%.02lf", 3.5));
    Win::SetDlgItemText(
        this, kExpiryDate,
        record.expiry.isValid() ? record.expiry.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : QString());
    Win::SetDlgItemText(this, kDaysToExpiry, QString::number(m_listed->WholeDaysToExpiry()));
    if (const std::optional<double> price = m_listed->OptionPrice(OptionValuation::PriceSource::kLast)) {
        Win::SetDlgItemText(this, kMarketPrice, QString::asprintf("%.04lf", *price));
    }
    Win::FindControl(this, kDownloadButton)->setEnabled(true);
}

void CDlgOptionPriceCalc::TakeOptionText(const QString& option) {
    TakeOption(I::QuoteKey::FromText(option));
}

bool CDlgOptionPriceCalc::Validate() {
    auto refuse = [this](const QString& text) {
        KRUI_MsgBox(this, text, QStringLiteral("提示"), Win::MB_OK);
        return false;
    };
    if (Win::TextToInt(Win::GetDlgItemText(this, kHistoryDays)) < 5) {
        return refuse(QStringLiteral("计算天数不应小于5天! "));
    }
    if (Win::TextToInt(Win::GetDlgItemText(this, kLayers)) <= 0) {
        return refuse(QStringLiteral("计算层数应大于 0! "));
    }
    if (Win::TextToDouble(Win::GetDlgItemText(this, kRate)) <= 0.0001) {
        return refuse(QStringLiteral("无风险利率应大于 0! "));
    }
    if (m_new->isChecked() && Win::TextToDouble(Win::GetDlgItemText(this, kMarketPrice)) <= 0.0001) {
        return refuse(QStringLiteral("我的定价必须大于 0! "));
    }
    return true;
}

void CDlgOptionPriceCalc::Compute() {
    if (!m_listed || !Validate()) {
        return;
    }
    QWidget* computeButton = Win::FindControl(this, kComputeButton);
    computeButton->setEnabled(false);
    const int layers = std::min(Win::TextToInt(Win::GetDlgItemText(this, kLayers)), 20);
    const double sigma = OptionPricing::CalcHisVolatility(m_listed->UnderlyingKey(), 0.0);
    // Price, strike and days are the trader's to change: they are taken as the fields show them.
    OptionValuation::PricingArguments a = m_listed->Arguments(
        OptionValuation::UnknownClass::kLetterCode,
        Win::TextToDouble(Win::GetDlgItemText(this, kUnderlyingPrice)), sigma,
        Win::TextToDouble(Win::GetDlgItemText(this, kRate)) / 100.0,
        OptionValuation::YearsToExpiry(Win::TextToInt(Win::GetDlgItemText(this, kDaysToExpiry)), 2));
    a.K = Win::TextToDouble(Win::GetDlgItemText(this, kStrike));

    // The tree values early exercise; the sensitivities stay those of the closed forms.
    const double price = Combo(kModelCombo)->currentIndex() == kBinomial
                             ? OptionPricing::BinomialPrice(a.put, a.optionType, a.S, a.K, a.sigma, a.r, a.T,
                                                            layers, m_listed->Record().exerciseStyle != 0)
                             : OptionPricing::OptionPrice(a.put, a.optionType, a.S, a.K, a.sigma, a.r, a.T);
    double impliedVolatility = 0.0;
    OptionPricing::ImpliedVolatility(a.put, a.optionType, a.S, a.K, a.sigma, a.r, a.T,
                                     Win::TextToDouble(Win::GetDlgItemText(this, kMarketPrice)),
                                     impliedVolatility);
    double intrinsic = 0.0;
    double timeValue = 0.0;
    if (Handle<I::OptionsDataSvcI> options = GetService<I::OptionsDataSvcI>()) {
        options->GetIntrinsicValue(m_option, intrinsic);
        options->GetTimeValue(m_option, timeValue);
    }
    const OptionPricing::OptionGreeks greeks =
        OptionPricing::OptionPriceAndGreeks(a.put, a.optionType, a.S, a.K, a.sigma, a.r, a.T);

    Win::SetDlgItemText(this, kHisVolatility, Fixed4(sigma));
    Win::SetDlgItemText(this, kImpliedVolatility, Fixed4(impliedVolatility));
    Win::SetDlgItemText(this, kIntrinsicValue, Fixed4(intrinsic));
    Win::SetDlgItemText(this, kTimeValue, Fixed4(timeValue));
    Win::SetDlgItemText(this, kDelta, Fixed4(greeks.delta));
    Win::SetDlgItemText(this, kGamma, Fixed4(greeks.gamma));
    Win::SetDlgItemText(this, kRho, Fixed4(greeks.rho));
    Win::SetDlgItemText(this, kTheta, Fixed4(greeks.theta));
    Win::SetDlgItemText(this, kVega, Fixed4(greeks.vega));
    Win::SetDlgItemText(this, kTheoreticalPrice, Fixed4(price));
    computeButton->setEnabled(true);
}
