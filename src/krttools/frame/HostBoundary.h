#pragma once

#include <QString>
#include <functional>

// Calls from the host end here: a missing host service surfaces inside the component as the
// glue's exception, which must never unwind into the terminal. The step is abandoned and the
// reason logged.
namespace HostBoundary {

// Runs work; answers false when it was abandoned.
bool Guard(const QString& operation, const std::function<void()>& work);

}  // namespace HostBoundary
