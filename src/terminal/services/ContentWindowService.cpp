#include "services/ContentWindowService.h"

#include <algorithm>

#include "services/ProviderLists.h"

namespace Terminal::Services {

using namespace Kora::Interface;
using Kora::Utility::Handle;

ContentWindowService::ContentWindowService() : ServiceBase(QStringLiteral("内容窗口服务")) {}

ContentWindowService::~ContentWindowService() {
    Clear();
}

bool ContentWindowService::RegisterProvider(Handle<ContentWindowProviderI> provider) {
    std::lock_guard lock(m_lock);
    return AddProvider(m_providers, provider);
}

void ContentWindowService::Destroy(const std::vector<Window>& windows) {
    for (const Window& w : windows) {
        w.window->PreDestroy({});
    }
}

bool ContentWindowService::UnregisterProvider(Handle<ContentWindowProviderI> provider) {
    std::vector<Window> dropped;
    {
        std::lock_guard lock(m_lock);
        auto it = std::find(m_providers.begin(), m_providers.end(), provider);
        if (it == m_providers.end()) {
            return false;
        }
        m_providers.erase(it);
        auto kept = std::stable_partition(m_windows.begin(), m_windows.end(),
                                          [&](const Window& w) { return !(w.provider == provider); });
        dropped.assign(kept, m_windows.end());
        m_windows.erase(kept, m_windows.end());
    }
    Destroy(dropped);
    return true;
}

Handle<ContentWindowI> ContentWindowService::CreateContentWindow(const QString& type,
                                                                 const Kora::Utility::WStringMap& params) {
    std::vector<Handle<ContentWindowProviderI>> providers;
    {
        std::lock_guard lock(m_lock);
        providers = m_providers;
    }
    for (const Handle<ContentWindowProviderI>& provider : providers) {
        Handle<ContentWindowI> window = provider->CreateContentWindow(type, params);
        if (window) {
            std::lock_guard lock(m_lock);
            m_windows.push_back({window, type, provider});
            return window;
        }
    }
    return Handle<ContentWindowI>();
}

bool ContentWindowService::DestroyContentWindow(Handle<ContentWindowI> window) {
    std::vector<Window> dropped;
    {
        std::lock_guard lock(m_lock);
        auto it = std::find_if(m_windows.begin(), m_windows.end(),
                               [&](const Window& w) { return w.window == window; });
        if (it == m_windows.end()) {
            return false;
        }
        dropped.push_back(*it);
        m_windows.erase(it);
    }
    Destroy(dropped);
    return true;
}

Kora::Utility::SharedWStringMapVector ContentWindowService::GetWindowTypes() {
    std::vector<Handle<ContentWindowProviderI>> providers;
    {
        std::lock_guard lock(m_lock);
        providers = m_providers;
    }
    return GatherOffers(providers,
                        [](ContentWindowProviderI& provider) { return provider.GetWindowTypes(); });
}

Handle<ContentWindowI> ContentWindowService::GetContentWindow(const Kora::Utility::WStringMap& selector) {
    std::lock_guard lock(m_lock);
    if (m_windows.empty()) {
        return Handle<ContentWindowI>();
    }
    const QString type = Kora::Utility::ValueOf(selector, QStringLiteral("Type"));
    if (type.isEmpty()) {
        return m_windows.back().window;
    }
    for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it) {
        if (it->type == type) {
            return it->window;
        }
    }
    return Handle<ContentWindowI>();
}

bool ContentWindowService::Activate(const Handle<ContentWindowI>& window) {
    std::lock_guard lock(m_lock);
    auto it =
        std::find_if(m_windows.begin(), m_windows.end(), [&](const Window& w) { return w.window == window; });
    if (it == m_windows.end()) {
        return false;
    }
    std::rotate(it, it + 1, m_windows.end());
    return true;
}

std::vector<Handle<ContentWindowI>> ContentWindowService::Windows() const {
    std::lock_guard lock(m_lock);
    std::vector<Handle<ContentWindowI>> windows;
    for (const Window& w : m_windows) {
        windows.push_back(w.window);
    }
    return windows;
}

size_t ContentWindowService::ProviderCount() const {
    std::lock_guard lock(m_lock);
    return m_providers.size();
}

void ContentWindowService::Clear() {
    std::vector<Window> dropped;
    {
        std::lock_guard lock(m_lock);
        dropped.swap(m_windows);
        m_providers.clear();
    }
    Destroy(dropped);
}

}  // namespace Terminal::Services
