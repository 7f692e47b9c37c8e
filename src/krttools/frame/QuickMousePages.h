#pragma once

#include "kora/interface/KRTToolsI.h"

// The stock quick-mouse tool inside a frame dialog: as a page of a host window (page 798) or as
// a stand-alone window. At most one of each exists at a time.
namespace QuickMousePages {

constexpr int kQuickMousePage = 798;

// Opens (1001) or closes (1002) the page when the page text's second '-' field is 798; answers
// the page's window on open, null otherwise.
Kora::Interface::WindowHandle OnPageMessage(const Kora::Interface::PageMessage& message);
// The number in the second '-' field of a page text (at most 31 characters), or -1.
int PageNumberOf(const QString& pageText);

bool OpenStandAloneFrame();
bool CloseStandAloneFrame();

}  // namespace QuickMousePages
