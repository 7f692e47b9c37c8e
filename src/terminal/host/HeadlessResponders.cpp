#include "host/HeadlessResponders.h"

#include <cstdio>

#include "KRUI.h"
#include "platform/MessageBox.h"

namespace Terminal {

void InstallHeadlessResponders() {
    Win::SetMessageBoxResponder([](const Win::MessageBoxRequest& request) {
        std::fprintf(stderr, "krt-terminal: [%s] %s\n", request.title.toUtf8().constData(),
                     request.text.toUtf8().constData());
        switch (request.flags & 0xF) {
            case Win::MB_YESNO:
            case Win::MB_YESNOCANCEL:
                return Win::IDYES;
            default:
                return Win::IDOK;
        }
    });
    KRUI_SetPasswordPrompt([](QWidget*, const QString& title) -> std::optional<QString> {
        std::fprintf(stderr, "krt-terminal: [%s] no one to enter the password; cancelled\n",
                     title.toUtf8().constData());
        return std::nullopt;
    });
}

}  // namespace Terminal
