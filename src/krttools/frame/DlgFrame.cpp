#include "frame/DlgFrame.h"

#include "quickmouse/DlgQuickMouse.h"

DlgFrame::DlgFrame(QWidget* parent) : CKrDlgOperate(kTemplateId, parent) {
    setWindowTitle(QStringLiteral("快鼠交易"));
    resize(420, 640);
}

DlgFrame::~DlgFrame() = default;

bool DlgFrame::OnInitDialog() {
    CKrDlgOperate::OnInitDialog();
    m_child = new DlgQuickMouse(this);
    if (!m_child->Create(this)) {
        return false;
    }
    m_child->show();
    resize(m_child->size() + QSize(10, 10));
    PlaceChild();
    return true;
}

void DlgFrame::SetWorkArea(const QRect& workArea) {
    m_workArea = workArea;
    if (workArea.isValid()) {
        setGeometry(workArea);
    }
}

void DlgFrame::resizeEvent(QResizeEvent* event) {
    CKrDlgOperate::resizeEvent(event);
    PlaceChild();
}

void DlgFrame::PlaceChild() {
    if (m_child) {
        m_child->setGeometry(rect().adjusted(5, 5, -5, -5));
    }
}
