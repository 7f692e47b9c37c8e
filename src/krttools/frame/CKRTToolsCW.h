#pragma once

#include "kora/interface/ContentWindowI.h"

// The component's content-window provider: six window types, created by exact type name.
class CKRTToolsCW : public Kora::Interface::ContentWindowProviderI {
public:
    Kora::Utility::Handle<Kora::Interface::ContentWindowI> CreateContentWindow(
        const QString& type, const Kora::Utility::WStringMap& params) override;
    Kora::Utility::SharedWStringMapVector GetWindowTypes() override;
};
