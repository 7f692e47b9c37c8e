#include "KRTContentWindow.h"

#include <QWidget>

KRTContentWindow::KRTContentWindow(Kora::Utility::WStringMap params) : m_params(std::move(params)) {}

KRTContentWindow::~KRTContentWindow() = default;

void KRTContentWindow::SetParent(Kora::Interface::WindowHandle parent) {
    m_parent = parent;
}

Kora::Utility::SharedWStringMapVector KRTContentWindow::BuildMenu() {
    return std::make_shared<std::vector<Kora::Utility::WStringMap>>();
}
