#include "services/UIFrameService.h"

namespace Terminal::Services {

UIFrameService::UIFrameService() : ServiceBase(QStringLiteral("主框架")) {}

Kora::Interface::WindowHandle UIFrameService::GetMainWindow() {
    std::lock_guard lock(m_lock);
    return m_mainWindow.data();
}

void UIFrameService::SetMainWindow(QWidget* window) {
    std::lock_guard lock(m_lock);
    m_mainWindow = window;
}

}  // namespace Terminal::Services
