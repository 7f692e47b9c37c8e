#pragma once

#include <json/value.h>

#include <QFont>

#include "kora/interface/ServiceInterfaceI.h"

namespace Kora::Interface {

using ColorRef = uint32_t;  // 0x00BBGGRR

// The terminal's settings, by Chinese section and key names.
class KORA_API KRTConfigI : public virtual ServiceInterfaceI {
public:
    static QString ServiceName() { return QStringLiteral("Kora.Platform.Service.KRTConfig"); }

    // Null when the section or key is absent.
    virtual Json::Value GetValue(const QString& section, const QString& key) = 0;
    virtual Json::Value GetSection(const QString& section) = 0;
    // Quick-mouse trigger mode of a category ("期货", "股票", "期权"): 0 single click, 1 double click.
    virtual int32_t GetTriggerMode(const QString& category) = 0;
    // Order settings of a category for an account ({"NeedPassword", "DefaultHedge", ...}).
    virtual Json::Value GetOrderSettings(const QString& category, const Json::Value& account) = 0;
    // Named colours and fonts of the configuration ("快捷键下单板背景色" ...).
    virtual ColorRef GetColor(const QString& name) = 0;
    virtual QFont GetFont(const QString& name) = 0;
};

}  // namespace Kora::Interface
