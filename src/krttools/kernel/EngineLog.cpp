#include "kernel/EngineLog.h"

#include "kernel/HostAccess.h"
#include "kora/interface/KRTEngineI.h"

namespace Kora::Kernel {

void WriteLog(int32_t level, const QString& text, const QString& source) {
    Handle<Interface::KRTEngineI> engine = GetService<Interface::KRTEngineI>();
    if (!engine) {
        return;
    }
    engine->Log(level, text, QString(), QString(),
                source.isEmpty() ? QStringLiteral("交易工具组件") : source);
}

}  // namespace Kora::Kernel
