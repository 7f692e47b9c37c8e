#include "frame/ThisComponent.h"

#include "frame/CKRTToolsApp.h"
#include "frame/CKRTToolsCW.h"
#include "frame/HostBoundary.h"
#include "frame/KRTToolsInstruct.h"
#include "frame/KRTToolsInterface.h"
#include "kernel/HostAccess.h"
#include "kora/interface/ContentWindowSvcI.h"

using Kora::Kernel::GetAPIMgr;
using Kora::Kernel::GetService;
using Kora::Utility::Handle;
namespace I = Kora::Interface;

ThisComponent::ThisComponent(I::HostI* host) : Component(host) {
    SetStatic(true);
    HostBoundary::LogFaults(true);
}

ThisComponent::~ThisComponent() {
    HostBoundary::LogFaults(false);
}

bool ThisComponent::Load() {
    if (Handle<I::InstructSvcI> instructs = GetService<I::InstructSvcI>()) {
        m_instructProvider = Handle<I::InstructProviderI>(new KRTToolsInstruct);
        if (m_instructProvider) {
            instructs->RegisterProvider(m_instructProvider,
                                        {{QStringLiteral("AutoUpdate"), QStringLiteral("true")}});
        }
    }
    if (Handle<I::APIMgrI> registry = GetAPIMgr()) {
        auto* service = new KRTToolsInterface;
        m_toolsService = Handle<I::KRTToolsI>(service);
        if (m_toolsService) {
            registry->RegisterService(m_toolsService);
            // File orders run from the moment the service is offered.
            service->CreateFileOrderWindow();
        }
    }
    if (Handle<I::ContentWindowSvcI> windows = GetService<I::ContentWindowSvcI>()) {
        m_contentWindowProvider = Handle<I::ContentWindowProviderI>(new CKRTToolsCW);
        if (m_contentWindowProvider) {
            windows->RegisterProvider(m_contentWindowProvider);
        }
    }
    return true;
}

bool ThisComponent::Unload() {
    CKRTToolsApp::Instance().CleanUp();
    Handle<I::ContentWindowSvcI> windows = GetService<I::ContentWindowSvcI>();
    if (windows && m_contentWindowProvider) {
        windows->UnregisterProvider(m_contentWindowProvider);
        m_contentWindowProvider = nullptr;
    }
    Handle<I::InstructSvcI> instructs = GetService<I::InstructSvcI>();
    if (instructs && m_instructProvider) {
        instructs->UnregisterProvider(m_instructProvider, {});
    }
    Handle<I::APIMgrI> registry = GetAPIMgr();
    if (registry && m_toolsService) {
        auto* service = dynamic_cast<KRTToolsInterface*>(m_toolsService.Get());
        if (service) {
            service->ReleaseQuoteInteraction();
            service->DestroyFileOrderWindow();
        }
        registry->UnregisterService(m_toolsService);
    }
    return true;
}
