#pragma once

#include <QPointer>
#include <QWidget>
#include <mutex>

#include "host/ServiceBase.h"
#include "kora/interface/FrameServicesI.h"

namespace Terminal::Services {

// "Kora.Platform.Service.UIFrame": the terminal's main window (null until the terminal sets
// one; the pointer is guarded, so a destroyed window reads as null).
class UIFrameService : public ServiceBase<Kora::Interface::UIFrameI> {
public:
    UIFrameService();

    Kora::Interface::WindowHandle GetMainWindow() override;
    void SetMainWindow(QWidget* window);

private:
    std::mutex m_lock;
    QPointer<QWidget> m_mainWindow;
};

}  // namespace Terminal::Services
