#include "kora/utility/Handle.h"

namespace Kora::Utility {

void ThrowNullHandle() {
    throw NullHandleException(QStringLiteral("KoraUtility/Handle"), 36);
}

}  // namespace Kora::Utility
