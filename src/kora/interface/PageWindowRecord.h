#pragma once

#include <cstddef>
#include <cstdint>

namespace Kora::Interface {

// The window record with which a component asks the add-in public service's order panel for a
// page: 1040 bytes, zero-filled but for the fields below. Texts are UTF-16, zero-terminated
// within their fields. The requesting window travels as a 32-bit token of the control library's
// window table (Win::WindowToken), as a record of fixed layout cannot hold a pointer.
struct PageWindowRecord {
    uint32_t window;   // 0: token of the requesting window, 0 for none
    int32_t pageId;    // 4: 1001, the combination order page
    int32_t pageKind;  // 8: 8 for a combination page opened by a tool
    uint8_t reserved12[144 - 12];
    char16_t title[64];       // 144: the page's title, "多品种"
    char16_t callerTag[256];  // 272: "KRTAddinPublic,-706-@"
    uint8_t reserved784[1040 - 784];
};

static_assert(sizeof(PageWindowRecord) == 1040);
static_assert(offsetof(PageWindowRecord, window) == 0);
static_assert(offsetof(PageWindowRecord, pageId) == 4);
static_assert(offsetof(PageWindowRecord, pageKind) == 8);
static_assert(offsetof(PageWindowRecord, title) == 144);
static_assert(offsetof(PageWindowRecord, callerTag) == 272);

}  // namespace Kora::Interface
