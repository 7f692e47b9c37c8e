#pragma once

#include <memory>

#include "analysis/UnderlyingParameters.h"
#include "kernel/ServiceInterface.h"
#include "kora/interface/KRTToolsI.h"

class CDlgFileOrder;
class CQuoteInteraction;

// The component's service "Kora.Platform.Service.KRTTools" (version 1): the description record,
// the stock quick-mouse page and stand-alone frame, the key messages of the keyboard order mode,
// the hidden file-order window and the smart-order bridge. It keeps the position risk analysis's
// market parameters per underlying, for every position risk window while the component is loaded.
class KRTToolsInterface : public virtual Kora::Interface::KRTToolsI, public Kora::Kernel::ServiceInterface {
public:
    KRTToolsInterface();
    ~KRTToolsInterface() override;

    Kora::Interface::WindowHandle CreateFileOrderWindow() override;
    void DestroyFileOrderWindow() override;
    CDlgFileOrder* FileOrderWindow() const { return m_fileOrderWindow.get(); }

    Kora::Interface::WindowHandle PageMessage(const Kora::Interface::PageMessage& message) override;
    bool KeyMessage(const Kora::Interface::WindowMessage& message) override;
    Json::Value ComponentInfo() override;

    bool OpenToolFrame() override;
    bool CloseToolFrame() override;
    bool SetSmartOrderSwitch(const Json::Value& switches, const Json::Value& account) override;
    bool SendQuoteInteraction(const Json::Value& request, const Json::Value& account) override;

    void ReleaseQuoteInteraction();

private:
    CQuoteInteraction* QuoteInteraction();

    UnderlyingParameters m_positionParameters{DefaultAnalyzeParameters};
    std::unique_ptr<CDlgFileOrder> m_fileOrderWindow;
    std::unique_ptr<CQuoteInteraction> m_quoteInteraction;
};
