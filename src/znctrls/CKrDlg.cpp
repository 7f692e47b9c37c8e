#include "CKrDlg.h"

#include <QKeyEvent>

#include "platform/ModalRunner.h"

CKrDlg::CKrDlg(int templateId, QWidget* parent)
    : QDialog(parent), m_templateId(templateId), m_timers(this, [this](int id) { OnTimer(id); }) {}

CKrDlg::~CKrDlg() = default;

bool CKrDlg::Create(QWidget* parent) {
    if (parent) {
        setParent(parent, windowFlags());
    }
    if (!m_created) {
        m_created = true;
        if (!OnInitDialog()) {
            m_created = false;
            return false;
        }
    }
    return true;
}

int CKrDlg::DoModal() {
    if (!Create()) {
        return QDialog::Rejected;
    }
    return Win::RunModal(*this);
}

void CKrDlg::DestroyWindow() {
    hide();
    m_created = false;
}

bool CKrDlg::PreTranslateMessage(const Kora::Interface::WindowMessage&) {
    return false;
}

Win::LRESULT CKrDlg::OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM) {
    if (message == Win::WM_TIMER) {
        OnTimer(static_cast<int>(wParam));
        return 1;
    }
    return 0;
}

QString CKrDlg::GetParam(const QString& key) const {
    auto it = m_params.find(key);
    return it == m_params.end() ? QString() : it->second;
}

void CKrDlg::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && !isWindow()) {
        event->ignore();
        return;
    }
    QDialog::keyPressEvent(event);
}
