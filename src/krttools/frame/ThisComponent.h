#pragma once

#include "kernel/Component.h"
#include "kora/interface/ContentWindowI.h"
#include "kora/interface/InstructI.h"
#include "kora/interface/KRTToolsI.h"

// The trading tools component: registers its instruct provider, its tools service and its
// content-window provider with whichever of the host's registries exist, and unregisters them.
// It is static for handles (the host frees it with DestroyComponent, never by releasing).
class ThisComponent : public Kora::Kernel::Component {
public:
    explicit ThisComponent(Kora::Interface::HostI* host);
    ~ThisComponent() override;

    bool Load() override;
    bool Unload() override;

    Kora::Utility::Handle<Kora::Interface::ContentWindowProviderI> ContentWindowProvider() const {
        return m_contentWindowProvider;
    }
    Kora::Utility::Handle<Kora::Interface::InstructProviderI> InstructProvider() const {
        return m_instructProvider;
    }
    Kora::Utility::Handle<Kora::Interface::KRTToolsI> ToolsService() const { return m_toolsService; }

private:
    Kora::Utility::Handle<Kora::Interface::ContentWindowProviderI> m_contentWindowProvider;
    Kora::Utility::Handle<Kora::Interface::InstructProviderI> m_instructProvider;
    Kora::Utility::Handle<Kora::Interface::KRTToolsI> m_toolsService;
};
