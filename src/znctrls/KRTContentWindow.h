#pragma once

#include <QPointer>
#include <QRect>

#include "kora/interface/WindowTypes.h"
#include "kora/utility/WString.h"

// Base of the content-window wrappers that the control library builds from the host's
// parameter map. It keeps what the host told the window (parent, place, visibility) and the
// parameters it was created with.
class KRTContentWindow {
public:
    explicit KRTContentWindow(Kora::Utility::WStringMap params);
    virtual ~KRTContentWindow();

    void SetParent(Kora::Interface::WindowHandle parent);
    void Show(bool show) { m_visible = show; }
    void Move(int x, int y, int width, int height) { m_geometry = QRect(x, y, width, height); }
    void Redraw() {}
    Kora::Interface::LRESULT OnMsg(Kora::Interface::UINT, Kora::Interface::WPARAM, Kora::Interface::LPARAM) {
        return 1;
    }
    // The window's context menu: maps with "ID" and "Text".
    Kora::Utility::SharedWStringMapVector BuildMenu();
    void PreDestroy(const Kora::Utility::WStringMap& params) { m_destroying = true; }

    const Kora::Utility::WStringMap& CreationParams() const { return m_params; }
    QRect Geometry() const { return m_geometry; }
    bool IsVisible() const { return m_visible; }
    bool IsDestroying() const { return m_destroying; }

private:
    Kora::Utility::WStringMap m_params;
    QPointer<QWidget> m_parent;
    QRect m_geometry;
    bool m_visible = false;
    bool m_destroying = false;
};
