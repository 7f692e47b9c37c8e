#pragma once

#include <utility>

#include "platform/ModalRunner.h"

// Runs the process's modal dialogs with a test's runner while it lives, then puts back the one
// before, also when the test failed in between: a runner left behind would answer the dialogs of
// every later test in the program.
class ScopedModalRunner {
public:
    explicit ScopedModalRunner(Win::ModalRunner runner)
        : m_previous(Win::SetModalRunner(std::move(runner))) {}
    ~ScopedModalRunner() { Win::SetModalRunner(std::move(m_previous)); }
    ScopedModalRunner(const ScopedModalRunner&) = delete;
    ScopedModalRunner& operator=(const ScopedModalRunner&) = delete;

private:
    Win::ModalRunner m_previous;
};
