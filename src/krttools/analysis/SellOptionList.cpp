#include "analysis/SellOptionList.h"

#include <algorithm>
#include <map>

#include "kernel/HostAccess.h"
#include "kora/interface/BaseQuoteDataSvcI.h"
#include "kora/interface/OptionsDataSvcI.h"
#include "option/valuation/ListedOption.h"

using Kora::Kernel::GetService;
using Kora::Utility::Handle;
namespace I = Kora::Interface;
using OptionValuation::Moneyness;

namespace {

struct ColumnTitle {
    const char* title;
    int width;
};
constexpr ColumnTitle kColumns[SellOptionList::kColumnCount] = {
    {"名称", 120}, {"最新价", 55}, {"溢价率", 70}, {"杠杆比例", 70}, {"内在价值", 60}, {"时间价值", 70},
    {"Delta", 70}, {"Gamma", 70},  {"Rho", 70},    {"Theta", 70},    {"Vega", 70},     {"合约单位", 80},
};

QString Fixed4(double value) {
    return QString::asprintf("%.04f", value);
}

}  // namespace

SellOptionList::SellOptionList(QObject* parent) : QAbstractTableModel(parent) {}

int SellOptionList::ColumnWidth(int column) {
    return column >= 0 && column < kColumnCount ? kColumns[column].width : 0;
}

void SellOptionList::Load(const I::QuoteKey& underlying) {
    beginResetModel();
    m_underlying = underlying;
    m_options.clear();
    if (Handle<I::OptionsDataSvcI> options = GetService<I::OptionsDataSvcI>()) {
        const std::vector<QString> months = options->GetMonths(underlying);
        for (size_t m = 0; m < months.size(); ++m) {
            for (const I::QuoteKey& key : options->GetOptions(underlying, months[m])) {
                Option option;
                option.key = key;
                option.monthIndex = static_cast<int>(m);
                ReadFigures(option);
                m_options.push_back(std::move(option));
            }
        }
    }
    ReadMoneyness();
    Refilter();
    endResetModel();
}

void SellOptionList::ReadFigures(Option& option) const {
    if (Handle<I::OptionsDataSvcI> options = GetService<I::OptionsDataSvcI>()) {
        options->GetOptionRecord(option.key, option.record);
    }
    I::ContractInfo info;
    if (Handle<I::BaseQuoteDataSvcI> quotes = GetService<I::BaseQuoteDataSvcI>();
        quotes && quotes->GetContractInfo(option.key, info)) {
        option.name = info.name;
        option.decimals = info.decimals;
        option.priceDivisor = info.priceDivisor;
    }
    option.lastPrice =
        OptionValuation::CurrentPrice(option.key, info, OptionValuation::PriceSource::kLast).value_or(0);
}

void SellOptionList::ReadMoneyness() {
    Handle<I::OptionsDataSvcI> options = GetService<I::OptionsDataSvcI>();
    Handle<I::BaseQuoteDataSvcI> quotes = GetService<I::BaseQuoteDataSvcI>();
    I::ContractInfo underlyingInfo;
    if (!options || !quotes || !quotes->GetContractInfo(m_underlying, underlyingInfo)) {
        for (Option& option : m_options) {
            option.moneyness.reset();
        }
        return;
    }
    const std::optional<double> price = OptionValuation::CurrentPrice(
        m_underlying, underlyingInfo, OptionValuation::PriceSource::kLastOrReference);
    std::map<QString, std::optional<int64_t>> atTheMoney;  // by month
    for (Option& option : m_options) {
        const QString& month = option.record.month;
        auto found = atTheMoney.find(month);
        if (found == atTheMoney.end()) {
            found = atTheMoney
                        .emplace(month, price ? OptionValuation::AtTheMoneyStrike(
                                                    options->GetChainRows(m_underlying, month), *price,
                                                    option.record.strikeDivisor)
                                              : std::nullopt)
                        .first;
        }
        option.moneyness.reset();
        if (found->second) {
            option.moneyness =
                OptionValuation::MoneynessOf(option.record.IsPut(), option.record.strike, *found->second);
        }
    }
}

bool SellOptionList::Passes(const Option& option) const {
    if ((m_filter.months == Filter::kNearestMonth && option.monthIndex >= 1) ||
        (m_filter.months == Filter::kNearestThreeMonths && option.monthIndex >= 3)) {
        return false;
    }
    if (!(option.record.IsPut() ? m_filter.puts : m_filter.calls)) {
        return false;
    }
    if (!option.moneyness) {
        return true;
    }
    switch (*option.moneyness) {
        case Moneyness::kInTheMoney:
            return m_filter.inTheMoney;
        case Moneyness::kAtTheMoney:
            return m_filter.atTheMoney;
        case Moneyness::kOutOfTheMoney:
            return m_filter.outOfTheMoney;
    }
    return true;
}

void SellOptionList::SetFilter(const Filter& filter) {
    beginResetModel();
    m_filter = filter;
    ReadMoneyness();
    Refilter();
    endResetModel();
}

void SellOptionList::Refilter() {
    m_shown.clear();
    for (size_t i = 0; i < m_options.size(); ++i) {
        if (Passes(m_options[i])) {
            m_shown.push_back(i);
        }
    }
}

void SellOptionList::RefreshFigures() {
    for (Option& option : m_options) {
        ReadFigures(option);
    }
    if (!m_shown.empty()) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, kColumnCount - 1));
    }
}

I::QuoteKey SellOptionList::KeyAt(int row) const {
    return row >= 0 && row < rowCount() ? m_options[m_shown[static_cast<size_t>(row)]].key : I::QuoteKey();
}

int SellOptionList::RowOf(const I::QuoteKey& key) const {
    for (size_t row = 0; row < m_shown.size(); ++row) {
        if (m_options[m_shown[row]].key == key) {
            return static_cast<int>(row);
        }
    }
    return -1;
}

int SellOptionList::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_shown.size());
}

int SellOptionList::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant SellOptionList::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(index.column() == kName ? Qt::AlignLeft | Qt::AlignVCenter
                                                           : Qt::AlignRight | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    const Option& o = m_options[m_shown[static_cast<size_t>(index.row())]];
    const I::OptionRecord& r = o.record;
    switch (index.column()) {
        case kName:
            return o.name;
        case kLastPrice:
            return o.lastPrice > 0 ? QString::asprintf("%.*f", std::clamp(o.decimals, 0, 8), o.lastPrice)
                                   : QStringLiteral("--");
        case kPremiumRate:
            return Fixed4(r.premiumRate);
        case kLeverage:
            return Fixed4(r.leverage);
        case kIntrinsicValue:
            return Fixed4(r.intrinsicValue);
        case kTimeValue:
            return Fixed4(r.timeValue);
        case kDelta:
            return Fixed4(r.delta);
        case kGamma:
            return Fixed4(r.gamma);
        case kRho:
            return Fixed4(r.rho);
        case kTheta:
            return Fixed4(r.theta);
        case kVega:
            return Fixed4(r.vega);
        case kContractUnit:
            return QString::asprintf("%d", r.contractUnit);
    }
    return {};
}

QVariant SellOptionList::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kColumnCount) {
        return {};
    }
    return QString::fromUtf8(kColumns[section].title);
}
