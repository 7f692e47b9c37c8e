#include "ui/KeyRouter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>
#include <QWindow>

#include "kora/interface/KRTToolsI.h"
#include "ui/VirtualKeys.h"

namespace Terminal::Ui {

using Kora::Utility::Handle;

KeyRouter::KeyRouter(Handle<Kora::Interface::APIMgrI> registry, FocusedWindow focusedWindow, QObject* parent)
    : QObject(parent), m_registry(std::move(registry)), m_focusedWindow(std::move(focusedWindow)) {}

bool KeyRouter::eventFilter(QObject* watched, QEvent* event) {
    if ((event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease) ||
        !watched->isWindowType() || QApplication::activePopupWidget()) {
        return false;
    }
    QWidget* focus = QApplication::focusWidget();
    const auto message = KeyMessageOf(*static_cast<QKeyEvent*>(event), focus);
    return message && Route(*message, focus);
}

bool KeyRouter::Route(const Kora::Interface::WindowMessage& message, QWidget* focus) {
    if (m_registry) {
        auto tools = m_registry->GetService(Kora::Interface::KRTToolsI::ServiceName(), true)
                         .Cast<Kora::Interface::KRTI>();
        if (tools && tools->KeyMessage(message)) {
            return true;
        }
    }
    if (focus && m_focusedWindow) {
        if (Handle<Kora::Interface::ContentWindowI> window = m_focusedWindow(focus)) {
            return window->PreTranslateMessage(message) != 0;
        }
    }
    return false;
}

}  // namespace Terminal::Ui
