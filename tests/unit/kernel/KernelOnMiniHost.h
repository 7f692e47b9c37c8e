#pragma once

#include <gtest/gtest.h>

#include "kernel/HostAccess.h"
#include "support/MiniHost.h"

// The kernel attached to a bare host of its own for each test. A fixture adds the services it
// needs in its constructor; a test that changes the host attaches the kernel again.
class KernelOnMiniHost : public ::testing::Test {
protected:
    void SetUp() override { Attach(); }
    void TearDown() override { Kora::Kernel::SetHost(nullptr); }
    // Attaches the kernel afresh, so that it forgets what it cached of the host.
    void Attach() {
        Kora::Kernel::SetHost(nullptr);
        Kora::Kernel::SetHost(host.Get());
    }

    Kora::Utility::Handle<MiniHost::Host> host{new MiniHost::Host};
};
