#pragma once

#include <json/value.h>

#include "kora/interface/ServiceInterfaceI.h"
#include "kora/interface/WindowTypes.h"

namespace Kora::Interface {

// The terminal's main frame.
class KORA_API UIFrameI : public virtual ServiceInterfaceI {
public:
    static QString ServiceName() { return QStringLiteral("Kora.Platform.Service.UIFrame"); }

    virtual WindowHandle GetMainWindow() = 0;
};

// The activity (linkage) manager: which windows follow which.
class KORA_API ActivityMgrSvcI : public virtual ServiceInterfaceI {
public:
    static QString ServiceName() { return QStringLiteral("Kora.Platform.Service.ActivityMgrSvc"); }

    // Tells the windows linked to the sender of a new contract ({"Stock", "CWID", "KRTFrame", ...}).
    virtual bool AnnounceStockChanged(const Json::Value& params) = 0;
    // The linkage parameters of a window ({"CWID": ...}); null when unlinked.
    virtual Json::Value GetActivityParam(const Json::Value& query) = 0;
};

// The contract search box.
class KORA_API SearchUII : public virtual ServiceInterfaceI {
public:
    static QString ServiceName() { return QStringLiteral("Kora.Platform.Service.SearchUIInterface"); }

    // Contracts matching typed text, as an array of {"ExchangeCode", "ContractCode", "Name"}.
    virtual Json::Value Search(const QString& text) = 0;
};

// Derived quote figures (limits, changes, ratios) by name.
class KORA_API AdvanceDataSvcI : public virtual ServiceInterfaceI {
public:
    static QString ServiceName() { return QStringLiteral("Kora.Platform.Service.AdvanceDataSvc"); }

    virtual Json::Value GetValue(const Json::Value& contract, const QString& name) = 0;
};

}  // namespace Kora::Interface
