#pragma once

#include "kora/interface/MsgHandlerI.h"
#include "kora/utility/Handle.h"

namespace Kora::Interface {

// The normal message centre: wide-text topics, Json payloads, delivery on the UI thread.
class KORA_API MsgCenterI : public virtual Utility::Shared {
public:
    static QString CenterName() { return QStringLiteral("Kora.MsgCenter.Normal"); }

    virtual bool Subscribe(Utility::Handle<MsgHandlerI> handler, const QString& topic) = 0;
    virtual bool Unsubscribe(Utility::Handle<MsgHandlerI> handler, const QString& topic) = 0;
    // Queues the payload for every subscriber of the topic; flags is 0.
    virtual bool Post(const QString& topic, const Json::Value& payload, int32_t flags) = 0;
};

// The high-performance message centre: numbered messages (quote pushes 30001-30005) with a raw
// record, delivered on a host worker thread.
class KORA_API HPMsgCenterI : public virtual Utility::Shared {
public:
    static QString CenterName() { return QStringLiteral("Kora.MsgCenter.HighPerformance"); }

    virtual bool Subscribe(Utility::Handle<MsgHandlerI> handler, uint32_t number) = 0;
    virtual bool Unsubscribe(Utility::Handle<MsgHandlerI> handler, uint32_t number) = 0;
};

}  // namespace Kora::Interface
