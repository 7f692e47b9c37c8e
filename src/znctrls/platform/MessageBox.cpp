#include "platform/MessageBox.h"

#include <QMessageBox>
#include <QPushButton>
#include <mutex>

namespace Win {

namespace {

std::mutex g_lock;
MessageBoxResponder g_responder;

int ShowDialog(const MessageBoxRequest& request) {
    QMessageBox box(request.owner);
    box.setWindowTitle(request.title);
    box.setText(request.text);
    switch (request.flags & 0xF0) {
        case MB_ICONERROR:
            box.setIcon(QMessageBox::Critical);
            break;
        case MB_ICONQUESTION:
            box.setIcon(QMessageBox::Question);
            break;
        case MB_ICONWARNING:
            box.setIcon(QMessageBox::Warning);
            break;
        case MB_ICONINFORMATION:
            box.setIcon(QMessageBox::Information);
            break;
        default:
            break;
    }
    if (request.flags & MB_TOPMOST) {
        box.setWindowFlag(Qt::WindowStaysOnTopHint);
    }
    switch (request.flags & 0xF) {
        case MB_OKCANCEL: {
            box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
            QAbstractButton* cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
            box.exec();
            return box.clickedButton() == cancel || !box.clickedButton() ? IDCANCEL : IDOK;
        }
        case MB_YESNO:
        case MB_YESNOCANCEL: {
            QAbstractButton* yes = box.addButton(QStringLiteral("是"), QMessageBox::YesRole);
            QAbstractButton* no = box.addButton(QStringLiteral("否"), QMessageBox::NoRole);
            QAbstractButton* cancel = nullptr;
            if ((request.flags & 0xF) == MB_YESNOCANCEL) {
                cancel = box.addButton(QStringLiteral("取消"), QMessageBox::RejectRole);
            }
            box.exec();
            if (box.clickedButton() == yes) {
                return IDYES;
            }
            if (box.clickedButton() == no) {
                return IDNO;
            }
            return cancel ? IDCANCEL : IDNO;
        }
        default:
            box.addButton(QStringLiteral("确定"), QMessageBox::AcceptRole);
            box.exec();
            return IDOK;
    }
}

}  // namespace

MessageBoxResponder SetMessageBoxResponder(MessageBoxResponder responder) {
    std::lock_guard lock(g_lock);
    std::swap(g_responder, responder);
    return responder;
}

int ShowMessageBox(const MessageBoxRequest& request) {
    MessageBoxResponder responder;
    {
        std::lock_guard lock(g_lock);
        responder = g_responder;
    }
    return responder ? responder(request) : ShowDialog(request);
}

}  // namespace Win
