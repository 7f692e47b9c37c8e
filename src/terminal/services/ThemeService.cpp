#include "services/ThemeService.h"

#include <QGuiApplication>

#include "services/KRTConfigService.h"
#include "services/ThemeImages.h"

namespace Terminal::Services {

ThemeService::ThemeService(const ConfigStore& store)
    : ServiceBase(QStringLiteral("主题服务")), m_store(store) {}

Kora::Interface::ColorRef ThemeService::GetColor(const QString& name) {
    return m_store.Color(name).value_or(0);
}

QFont ThemeService::GetFont(const QString& name) {
    return m_store.Font(name).value_or(KRTConfigService::DefaultFont());
}

QPixmap ThemeService::GetImage(const QString& category, const QString& name) {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        return QPixmap();
    }
    std::lock_guard lock(m_lock);
    auto it = m_images.find({category, name});
    if (it == m_images.end()) {
        it = m_images.emplace(std::pair{category, name}, DrawThemeImage(category, name)).first;
    }
    return it->second.isNull() ? QPixmap() : QPixmap::fromImage(it->second);
}

}  // namespace Terminal::Services
