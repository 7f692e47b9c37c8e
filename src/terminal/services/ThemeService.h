#pragma once

#include <QPixmap>
#include <map>
#include <mutex>

#include "host/ConfigStore.h"
#include "host/ServiceBase.h"
#include "kora/interface/ThemeSvcI.h"

namespace Terminal::Services {

// "Kora.Platform.Service.ThemeSvc": the theme's colours and fonts (the same names and answers
// as KRTConfig: "颜色", "字体") and its images (ThemeImages), drawn once and kept. Images need a
// GUI application; without one, and for unknown names, the answer is a null pixmap.
class ThemeService : public ServiceBase<Kora::Interface::ThemeSvcI> {
public:
    explicit ThemeService(const ConfigStore& store);

    Kora::Interface::ColorRef GetColor(const QString& name) override;
    QFont GetFont(const QString& name) override;
    QPixmap GetImage(const QString& category, const QString& name) override;

private:
    const ConfigStore& m_store;
    std::mutex m_lock;
    std::map<std::pair<QString, QString>, QImage> m_images;
};

}  // namespace Terminal::Services
