#pragma once

#include <mutex>
#include <vector>

#include "host/ServiceBase.h"
#include "kora/interface/ContentWindowSvcI.h"

namespace Terminal::Services {

// "Kora.Platform.Service.ContentWindowSvc": the providers of content windows and the windows
// made through them. A window is made by the first provider that has its type; the newest (or
// last activated) window is the active one. Destroying a window calls its PreDestroy and drops
// the service's handle; unregistering a provider destroys the windows it made, so nothing of a
// component outlives its registration. Must be used on the UI thread (windows are widgets).
class ContentWindowService : public ServiceBase<Kora::Interface::ContentWindowSvcI> {
public:
    ContentWindowService();
    ~ContentWindowService() override;

    bool RegisterProvider(Kora::Utility::Handle<Kora::Interface::ContentWindowProviderI> provider) override;
    bool UnregisterProvider(Kora::Utility::Handle<Kora::Interface::ContentWindowProviderI> provider) override;
    Kora::Utility::Handle<Kora::Interface::ContentWindowI> CreateContentWindow(
        const QString& type, const Kora::Utility::WStringMap& params) override;
    bool DestroyContentWindow(Kora::Utility::Handle<Kora::Interface::ContentWindowI> window) override;
    Kora::Utility::SharedWStringMapVector GetWindowTypes() override;
    // {"Type": t} the newest window of that type; an empty selector the active window.
    Kora::Utility::Handle<Kora::Interface::ContentWindowI> GetContentWindow(
        const Kora::Utility::WStringMap& selector) override;

    // Makes a window the active one (the terminal's focus).
    bool Activate(const Kora::Utility::Handle<Kora::Interface::ContentWindowI>& window);
    std::vector<Kora::Utility::Handle<Kora::Interface::ContentWindowI>> Windows() const;
    size_t ProviderCount() const;
    // Destroys every window and forgets every provider.
    void Clear();

private:
    struct Window {
        Kora::Utility::Handle<Kora::Interface::ContentWindowI> window;
        QString type;
        Kora::Utility::Handle<Kora::Interface::ContentWindowProviderI> provider;
    };

    static void Destroy(const std::vector<Window>& windows);

    mutable std::recursive_mutex m_lock;
    std::vector<Kora::Utility::Handle<Kora::Interface::ContentWindowProviderI>> m_providers;
    std::vector<Window> m_windows;  // oldest first; the active one last
};

}  // namespace Terminal::Services
