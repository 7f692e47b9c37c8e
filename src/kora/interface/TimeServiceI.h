#pragma once

#include <json/value.h>

#include <QDateTime>

#include "kora/interface/ServiceInterfaceI.h"

namespace Kora::Interface {

// Timers and the clock. Ticks arrive on the normal centre as "Kora.Message.TimeService.OnTimer"
// with {"TimerID": id}. In a scripted host the clock only moves when the test moves it.
class KORA_API TimeServiceI : public virtual ServiceInterfaceI {
public:
    static QString ServiceName() { return QStringLiteral("Kora.Platform.Service.TimeSvc"); }

    // From {"DueTime": ms, "Period": ms}; answers the timer's identifier (null on failure).
    virtual Json::Value CreateTimer(const Json::Value& timing) = 0;
    virtual bool StartTimer(const Json::Value& timerId) = 0;
    virtual bool StopTimer(const Json::Value& timerId) = 0;
    virtual bool DestroyTimer(const Json::Value& timerId) = 0;
    // Milliseconds of a monotonic clock, and the wall-clock time.
    virtual uint64_t GetTickCount() = 0;
    virtual QDateTime GetCurrentTime() = 0;
};

// The terminal's log.
class KORA_API LogServiceI : public virtual ServiceInterfaceI {
public:
    static QString ServiceName() { return QStringLiteral("Kora.Platform.Service.Log"); }

    virtual void Write(int32_t level, int32_t code, const QString& title, const QString& text) = 0;
};

}  // namespace Kora::Interface
