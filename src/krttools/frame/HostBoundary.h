#pragma once

#include <QString>
#include <functional>

// Calls from the host end here: its requests (keys, instructs) through Guard, and its posted
// window messages, window timers, message-centre messages and quote pushes through the guards
// where they enter (platform/EntryGuard.h). A missing host service surfaces inside the
// component as the glue's exception, which must never unwind into the terminal: the step is
// abandoned and, while the component is loaded, the fault goes to the engine's log at level 1
// with the window or receiver and the message it was handling.
namespace HostBoundary {

// From now on (true) every fault caught at an entry goes to the engine's log; false puts back
// whatever received them before.
void LogFaults(bool on);

// Runs one request of the host; answers false when it was abandoned.
bool Guard(const QString& operation, const std::function<void()>& work);

}  // namespace HostBoundary
