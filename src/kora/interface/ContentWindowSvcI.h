#pragma once

#include "kora/interface/ContentWindowI.h"

namespace Kora::Interface {

// The host's registry of content-window providers.
class KORA_API ContentWindowSvcI : public virtual ServiceInterfaceI {
public:
    static QString ServiceName() { return QStringLiteral("Kora.Platform.Service.ContentWindowSvc"); }

    virtual bool RegisterProvider(Utility::Handle<ContentWindowProviderI> provider) = 0;
    virtual bool UnregisterProvider(Utility::Handle<ContentWindowProviderI> provider) = 0;
    // Asks each provider in turn; empty when none has the type.
    virtual Utility::Handle<ContentWindowI> CreateContentWindow(const QString& type,
                                                                const Utility::WStringMap& params) = 0;
    virtual bool DestroyContentWindow(Utility::Handle<ContentWindowI> window) = 0;
    // Every type of every provider, each map carrying "Type", "Name", "Public", "MenuName".
    virtual Utility::SharedWStringMapVector GetWindowTypes() = 0;
    // A window the host already shows that matches the selector ({"Type": ...}); with an empty
    // selector the active one. Empty when there is none.
    virtual Utility::Handle<ContentWindowI> GetContentWindow(const Utility::WStringMap& selector) = 0;
};

}  // namespace Kora::Interface
