#pragma once

#include <QObject>
#include <functional>

#include "kora/interface/APIMgrI.h"
#include "kora/interface/ContentWindowI.h"

namespace Terminal::Ui {

// The terminal's keyboard, application-wide: every key press and release that reaches one of
// the terminal's windows is handed, as a Windows key message, first to the trading tools
// service ("Kora.Platform.Service.KRTTools", looked up at each key so a component loaded later
// is served too) and then to the content window that holds the focus. Either answering that it
// acted consumes the key. While a pop-up menu is open the keys are the menu's own.
//
// Keys are taken where the window system hands them to a window, before Qt passes them on to
// the focused widget, so each physical key is seen exactly once.
class KeyRouter : public QObject {
public:
    // The content window that holds a widget (the focus), or an empty handle.
    using FocusedWindow = std::function<Kora::Utility::Handle<Kora::Interface::ContentWindowI>(QWidget*)>;

    KeyRouter(Kora::Utility::Handle<Kora::Interface::APIMgrI> registry, FocusedWindow focusedWindow,
              QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool Route(const Kora::Interface::WindowMessage& message, QWidget* focus);

    Kora::Utility::Handle<Kora::Interface::APIMgrI> m_registry;
    FocusedWindow m_focusedWindow;
};

}  // namespace Terminal::Ui
