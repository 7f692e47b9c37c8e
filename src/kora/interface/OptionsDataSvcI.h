#pragma once

#include <QDateTime>
#include <vector>

#include "kora/interface/OptionRecord.h"
#include "kora/interface/ServiceInterfaceI.h"

namespace Kora::Interface {

// Option chains: underlyings, expiry months, options and their figures.
class KORA_API OptionsDataSvcI : public virtual ServiceInterfaceI {
public:
    static QString ServiceName() { return QStringLiteral("Kora.Platform.Service.OptionsDataSvc"); }

    virtual std::vector<QuoteKey> GetUnderlyings() = 0;
    virtual QString GetUnderlyingName(const QuoteKey& underlying) = 0;
    // Month texts of an underlying's expiries, nearest first.
    virtual std::vector<QString> GetMonths(const QuoteKey& underlying) = 0;
    virtual std::vector<QuoteKey> GetOptions(const QuoteKey& underlying, const QString& month) = 0;
    // T-shaped rows of a month, ascending strike.
    virtual std::vector<OptionChainRow> GetChainRows(const QuoteKey& underlying, const QString& month) = 0;
    virtual bool IsOption(const QuoteKey& key) = 0;
    virtual bool GetOptionRecord(const QuoteKey& option, OptionRecord& record) = 0;
    virtual bool GetUnderlyingKey(const QuoteKey& option, QuoteKey& underlying) = 0;
    // Invalid when unknown.
    virtual QDateTime GetExpiryDate(const QuoteKey& option) = 0;
    virtual int32_t WholeDaysBetween(const QDateTime& from, const QDateTime& to) = 0;
    virtual bool GetIntrinsicValue(const QuoteKey& option, double& value) = 0;
    virtual bool GetTimeValue(const QuoteKey& option, double& value) = 0;
    // Risk-free rate in percent.
    virtual double GetRiskFreeRate() = 0;
};

}  // namespace Kora::Interface
