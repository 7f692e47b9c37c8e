#pragma once

#include <json/value.h>

#include <QString>
#include <cstdint>

#include "kora/utility/Export.h"
#include "kora/utility/Shared.h"

namespace Kora::Interface {

// Receives messages of the two message centres. High-performance messages may arrive on any
// host thread; the record pointer is valid only during the call.
class KORA_API MsgHandlerI : public virtual Utility::Shared {
public:
    virtual void OnHPMessage(uint32_t number, const void* record, intptr_t extra) = 0;
    virtual void OnMessage(const QString& topic, const Json::Value& payload, const Json::Value& extra) = 0;
};

}  // namespace Kora::Interface
