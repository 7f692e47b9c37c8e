#include "frame/CQuoteInteraction.h"

#include "kernel/HostAccess.h"
#include "kora/interface/KRTEngineI.h"
#include "kora/utility/JsonAccess.h"

using Kora::Utility::Handle;
namespace I = Kora::Interface;

bool CQuoteInteraction::SetSmartOrderSwitch(const Json::Value& switches, const Json::Value&) {
    if (!switches.isObject()) {
        return false;
    }
    for (const std::string& name : switches.getMemberNames()) {
        m_switches[name] = switches[name];
    }
    return true;
}

bool CQuoteInteraction::SendRequest(const Json::Value& request, const Json::Value& account) {
    Handle<I::KRTEngineI> engine = Kora::Kernel::GetService<I::KRTEngineI>();
    if (!engine) {
        return false;
    }
    Json::Value target = account;
    if (Kora::Utility::JsonText(target, "EAccountID").empty()) {
        target = engine->GetCurrentAccount();
    }
    if (Kora::Utility::JsonText(target, "EAccountID").empty()) {
        return false;
    }
    Json::Value answer = engine->SendRequest(kQuoteInteractionRequest, request, target);
    return Kora::Utility::JsonInt(answer, "ErrorCode", 0) == 0;
}
