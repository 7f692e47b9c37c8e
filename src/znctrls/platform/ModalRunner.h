#pragma once

#include <functional>

class QDialog;

namespace Win {

// Runs a dialog modally. Process-wide and replaceable, so a test (or a screenshot run) can drive
// a modal tool: the runner gets the dialog and answers its result.
using ModalRunner = std::function<int(QDialog&)>;

// Replaces the runner (an empty one restores exec()); answers the previous one.
ModalRunner SetModalRunner(ModalRunner runner);

int RunModal(QDialog& dialog);

}  // namespace Win
