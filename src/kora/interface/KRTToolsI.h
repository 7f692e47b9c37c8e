#pragma once

#include <json/value.h>

#include <QRect>

#include "kora/interface/ServiceInterfaceI.h"
#include "kora/interface/WindowTypes.h"

namespace Kora::Interface {

// A page request of the host: open (1001) or close (1002) the page named by the second '-'
// field of pageText ("...-798-...").
struct PageMessage {
    int32_t messageId = 0;
    QString pageText;
    QRect workArea;
    Json::Value params;
    WindowHandle owner = nullptr;
};

enum PageMessageId : int32_t { kPageOpen = 1001, kPageClose = 1002 };

// What every trading component offers the host.
class KORA_API KRTI : public virtual Utility::Shared {
public:
    // Answers the page's window, or null.
    virtual WindowHandle PageMessage(const Interface::PageMessage& message) = 0;
    // Every keyboard message of the terminal; true when the component acted on it.
    virtual bool KeyMessage(const WindowMessage& message) = 0;
    // The component description record.
    virtual Json::Value ComponentInfo() = 0;
};

// The trading tools component's service, "Kora.Platform.Service.KRTTools".
class KORA_API KRTToolsI : public virtual ServiceInterfaceI, public virtual KRTI {
public:
    static QString ServiceName() { return QStringLiteral("Kora.Platform.Service.KRTTools"); }

    // Creates the hidden file-order window once and answers it; null when it already exists.
    virtual WindowHandle CreateFileOrderWindow() = 0;
    virtual void DestroyFileOrderWindow() = 0;

    virtual bool OpenToolFrame() = 0;
    virtual bool CloseToolFrame() = 0;
    // Smart-order switches (split, re-order, cancel, position stop) of the quote interaction.
    virtual bool SetSmartOrderSwitch(const Json::Value& switches, const Json::Value& account) = 0;
    // Sends the request to the engine as request 6022 on the account (or the current one).
    virtual bool SendQuoteInteraction(const Json::Value& request, const Json::Value& account) = 0;
};

}  // namespace Kora::Interface
