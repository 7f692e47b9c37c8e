#include "analysis/PositionHostData.h"

#include <algorithm>

#include "analysis/PositionRecord.h"
#include "kernel/HostAccess.h"
#include "kora/interface/BaseQuoteDataSvcI.h"
#include "kora/interface/FieldIds.h"
#include "kora/interface/OptionsDataSvcI.h"
#include "kora/utility/JsonAccess.h"
#include "option/valuation/ListedOption.h"
#include "trading/ContractRecords.h"
#include "trading/TradingCodes.h"

namespace I = Kora::Interface;
using Kora::Kernel::GetService;
using Kora::Utility::Handle;
using Kora::Utility::JsonInt;
using Kora::Utility::JsonText;
using Kora::Utility::JsonWText;

namespace PositionHostData {

namespace {

I::ContractInfo InfoOf(const I::QuoteKey& key) {
    I::ContractInfo info;
    Handle<I::BaseQuoteDataSvcI> quotes = GetService<I::BaseQuoteDataSvcI>();
    if (!key.IsValid() || !quotes || !quotes->GetContractInfo(key, info)) {
        return {};
    }
    return info;
}

void DescribeOption(Json::Value& record, const I::QuoteKey& key) {
    Handle<I::OptionsDataSvcI> options = GetService<I::OptionsDataSvcI>();
    if (key.marketId < 0 || !options || !options->IsOption(key)) {
        return;
    }
    const std::optional<OptionValuation::ListedOption> option = OptionValuation::ListedOption::Read(key);
    if (!option) {
        return;
    }
    record[PositionRecord::kSubject] = option->UnderlyingKey().ToJson();
    record[PositionRecord::kOptionType] =
        std::to_string(option->FormulaSelector(OptionValuation::UnknownClass::kLetterCode));
    record[PositionRecord::kPutCall] = std::to_string(option->PutFlag());
    record[PositionRecord::kExercisePrice] = QString::number(option->Strike(), 'g', 12).toStdString();
    record[PositionRecord::kMaturityDays] = std::to_string(option->WholeDaysToExpiry());
    record[kGroup] = option->Record().seriesName.section(QLatin1Char('|'), 0, 0).toStdString();
}

}  // namespace

I::QuoteKey ContractOf(const Json::Value& record) {
    const I::QuoteKey stored = I::QuoteKey::FromJson(Kora::Utility::Member(record, PositionRecord::kOption));
    if (stored.IsValid()) {
        return stored;
    }
    Handle<I::BaseQuoteDataSvcI> quotes = GetService<I::BaseQuoteDataSvcI>();
    if (!quotes) {
        return {};
    }
    return quotes->FindKey(JsonWText(record, Field::kExchangeCode), JsonWText(record, Field::kContractCode));
}

void Describe(Json::Value& record) {
    const I::QuoteKey key = ContractOf(record);
    if (key.IsValid()) {
        record[PositionRecord::kOption] = key.ToJson();
    }
    if (JsonText(record, Field::kContractName).empty()) {
        record[Field::kContractName] = InfoOf(key).name.toStdString();
    }
    const QString direction = JsonWText(record, Field::kDirection);
    record[Field::kDirectionText] =
        TradingCodes::DirectionText(direction.isEmpty() ? QChar() : direction.front()).toStdString();
    const Json::Value contract = ContractRecords::OfKey(key);
    if (!contract.isNull()) {
        record[Field::kMultiplier] = std::to_string(JsonInt(contract, Field::kMultiplier, 1));
    }
    DescribeOption(record, key);
    ReadPrices(record);
}

void ReadPrices(Json::Value& record) {
    const I::QuoteKey key = ContractOf(record);
    const I::ContractInfo info = InfoOf(key);
    const std::optional<double> price =
        OptionValuation::CurrentPrice(key, info, OptionValuation::PriceSource::kLastOrReference);
    if (!price) {
        return;
    }
    record[Field::kLatestPrice] = QString::asprintf("%.*f", std::max(0, info.decimals), *price).toStdString();
    const double average = PositionRecord::Number(record, Field::kAveragePrice);
    const double quantity = static_cast<double>(PositionRecord::Quantity(record));
    const double multiplier = PositionRecord::Number(record, Field::kMultiplier, 1);
    const bool isLong = JsonWText(record, Field::kDirection).startsWith(TradingCodes::Direction::kBuy);
    const double profit = (isLong ? *price - average : average - *price) * quantity * multiplier;
    record[Field::kFloatingProfit] = QString::asprintf("%.02f", profit).toStdString();
}

Json::Value NewPosition(const I::QuoteKey& option) {
    const I::ContractInfo info = InfoOf(option);
    if (info.contractCode.isEmpty()) {
        return Json::Value();
    }
    Json::Value record(Json::objectValue);
    record[PositionRecord::kCheck] = "1";
    record[PositionRecord::kOption] = option.ToJson();
    record[Field::kExchangeCode] = info.exchangeCode.toStdString();
    record[Field::kContractCode] = info.contractCode.toStdString();
    record[Field::kContractName] = info.name.toStdString();
    record[Field::kDirection] = QString(TradingCodes::Direction::kBuy).toStdString();
    record[Field::kPositionVolume] = "1";
    record[Field::kHedgeFlag] = QString(TradingCodes::Hedge::kSpeculation).toStdString();
    Describe(record);
    return record;
}

}  // namespace PositionHostData
