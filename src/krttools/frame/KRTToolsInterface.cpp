#include "frame/KRTToolsInterface.h"

#include <new>

#include "fileorder/CDlgFileOrder.h"
#include "frame/CQuoteInteraction.h"
#include "frame/HostBoundary.h"
#include "frame/KeyboardMode.h"
#include "frame/QuickMousePages.h"

namespace I = Kora::Interface;

KRTToolsInterface::KRTToolsInterface()
    : ServiceInterface(I::KRTToolsI::ServiceName(), 1,
                       {{QStringLiteral("Text"), QStringLiteral("交易工具")}}) {
    UnderlyingParameters::Install(&m_positionParameters);
}

KRTToolsInterface::~KRTToolsInterface() {
    if (UnderlyingParameters::Installed() == &m_positionParameters) {
        UnderlyingParameters::Install(nullptr);
    }
}

I::WindowHandle KRTToolsInterface::CreateFileOrderWindow() {
    if (m_fileOrderWindow) {
        return nullptr;
    }
    m_fileOrderWindow = std::make_unique<CDlgFileOrder>();
    m_fileOrderWindow->Create();
    m_fileOrderWindow->hide();
    return m_fileOrderWindow.get();
}

void KRTToolsInterface::DestroyFileOrderWindow() {
    m_fileOrderWindow.reset();
}

I::WindowHandle KRTToolsInterface::PageMessage(const I::PageMessage& message) {
    return QuickMousePages::OnPageMessage(message);
}

bool KRTToolsInterface::KeyMessage(const I::WindowMessage& message) {
    bool acted = false;
    HostBoundary::Guard(QStringLiteral("KeyMessage"), [&] { acted = KeyboardMode::OnKeyMessage(message); });
    return acted;
}

Json::Value KRTToolsInterface::ComponentInfo() {
    Json::Value info(Json::objectValue);
    info["ComponentID"] = "7";
    info["ComponentName"] = "交易工具模块";
    info["ComponentAuthor"] = "";
    info["ComponentFile"] = "KRTTools.dll";
    info["ComponentCreateDate"] = 20170804;
    info["ComponentModifyDate"] = 20170804;
    info["ComponentVersion"] = "B001";
    return info;
}

bool KRTToolsInterface::OpenToolFrame() {
    return QuickMousePages::OpenStandAloneFrame();
}

bool KRTToolsInterface::CloseToolFrame() {
    return QuickMousePages::CloseStandAloneFrame();
}

CQuoteInteraction* KRTToolsInterface::QuoteInteraction() {
    if (!m_quoteInteraction) {
        m_quoteInteraction.reset(new (std::nothrow) CQuoteInteraction);
    }
    return m_quoteInteraction.get();
}

bool KRTToolsInterface::SetSmartOrderSwitch(const Json::Value& switches, const Json::Value& account) {
    CQuoteInteraction* interaction = QuoteInteraction();
    return interaction && interaction->SetSmartOrderSwitch(switches, account);
}

bool KRTToolsInterface::SendQuoteInteraction(const Json::Value& request, const Json::Value& account) {
    CQuoteInteraction* interaction = QuoteInteraction();
    return interaction && interaction->SendRequest(request, account);
}

void KRTToolsInterface::ReleaseQuoteInteraction() {
    m_quoteInteraction.reset();
}
