#pragma once

#include <QString>

namespace Kora::Kernel {

// Log levels the tools write with.
enum LogLevel : int32_t { kLogError = 1, kLogTrade = 10, kLogInfo = 100, kLogOrder = 103 };

// Writes a line to the engine service's log; an empty source becomes "交易工具组件". Nothing is
// written when the engine service is missing.
void WriteLog(int32_t level, const QString& text, const QString& source = {});

}  // namespace Kora::Kernel
