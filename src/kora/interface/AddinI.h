#pragma once

#include <json/value.h>

#include "kora/interface/ServiceInterfaceI.h"
#include "kora/interface/WindowTypes.h"

namespace Kora::Interface {

// Pages shared by the terminal's add-ins, among them the combination order page
// (page 1001, caller tag "KRTAddinPublic,-706-@", page name "多品种").
class KORA_API KRTAddinPublicI : public virtual ServiceInterfaceI {
public:
    static QString ServiceName() { return QStringLiteral("Kora.Platform.Service.KRTAddinPublic"); }

    // Opens a page with the request; answers the page's window, or null when none was opened.
    // The combination order page posts "CombinationOrderDlg_IDOK" when the user confirms it and
    // "CombinationOrderDlg_IDCANCEL" when the user closes it without confirming; both carry the
    // page's "PageID", which its window carries as the property "PageID", so an opener can
    // tell the answer to its own page from the answers to pages others opened.
    virtual WindowHandle OpenPage(int32_t pageId, const QString& callerTag, const QString& pageName,
                                  WindowHandle owner, const Json::Value& request) = 0;
};

// Conditional orders.
class KORA_API KRTAddinConditionI : public virtual ServiceInterfaceI {
public:
    static QString ServiceName() { return QStringLiteral("Kora.Platform.Service.KRTAddinCondition"); }

    // function is the caller's tag ("-808-@"); params the order to watch.
    virtual Json::Value Execute(const QString& function, const Json::Value& params) = 0;
};

}  // namespace Kora::Interface
