#include "frame/QuickMousePages.h"

#include <QStringList>
#include <memory>

#include "frame/CKRTToolsApp.h"
#include "frame/DlgFrame.h"

namespace QuickMousePages {

namespace {

DlgFrame* g_pageFrame = nullptr;
DlgFrame* g_standAloneFrame = nullptr;

Kora::Interface::WindowHandle OpenPage(const Kora::Interface::PageMessage& message) {
    if (!g_pageFrame) {
        auto frame = std::make_unique<DlgFrame>();
        frame->SetPageParams(message.params);
        if (!frame->Create()) {
            return nullptr;
        }
        g_pageFrame = frame.release();
        CKRTToolsApp::Instance().AddOpenDialog(g_pageFrame);
    }
    g_pageFrame->SetWorkArea(message.workArea);
    g_pageFrame->show();
    return g_pageFrame;
}

void ClosePage() {
    if (!g_pageFrame) {
        return;
    }
    CKRTToolsApp::Instance().RemoveOpenDialog(g_pageFrame);
    delete g_pageFrame;
    g_pageFrame = nullptr;
}

}  // namespace

int PageNumberOf(const QString& pageText) {
    QStringList fields = pageText.split(QLatin1Char('-'));
    if (fields.size() < 2) {
        return -1;
    }
    bool ok = false;
    int number = fields[1].left(31).trimmed().toInt(&ok);
    return ok ? number : -1;
}

Kora::Interface::WindowHandle OnPageMessage(const Kora::Interface::PageMessage& message) {
    if (message.messageId != Kora::Interface::kPageOpen && message.messageId != Kora::Interface::kPageClose) {
        return nullptr;
    }
    if (PageNumberOf(message.pageText) != kQuickMousePage) {
        return nullptr;
    }
    if (message.messageId == Kora::Interface::kPageOpen) {
        return OpenPage(message);
    }
    ClosePage();
    return nullptr;
}

bool OpenStandAloneFrame() {
    if (!g_standAloneFrame) {
        auto frame = std::make_unique<DlgFrame>();
        if (!frame->Create()) {
            return false;
        }
        g_standAloneFrame = frame.release();
        QObject::connect(g_standAloneFrame, &QObject::destroyed, [] { g_standAloneFrame = nullptr; });
        CKRTToolsApp::Instance().SetOwnedToolWindow(g_standAloneFrame);
    }
    g_standAloneFrame->show();
    return true;
}

bool CloseStandAloneFrame() {
    if (!g_standAloneFrame) {
        return false;
    }
    CKRTToolsApp::Instance().SetOwnedToolWindow(nullptr);
    delete g_standAloneFrame;
    return true;
}

}  // namespace QuickMousePages
