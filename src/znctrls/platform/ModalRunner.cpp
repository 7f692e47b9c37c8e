#include "platform/ModalRunner.h"

#include <QDialog>

namespace Win {

namespace {
ModalRunner g_runner;
}

ModalRunner SetModalRunner(ModalRunner runner) {
    std::swap(g_runner, runner);
    return runner;
}

int RunModal(QDialog& dialog) {
    if (g_runner) {
        // The runner may open nested modal tools; each sees the runner in force when it opened.
        ModalRunner runner = g_runner;
        return runner(dialog);
    }
    return dialog.exec();
}

}  // namespace Win
