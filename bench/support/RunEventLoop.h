#pragma once

#include <QEventLoop>
#include <QTimer>
#include <chrono>

namespace Bench {

// Lets the widget thread work for a while, as it would between the user's looks.
inline void RunEventLoopFor(std::chrono::milliseconds duration) {
    QEventLoop loop;
    QTimer::singleShot(duration, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace Bench
