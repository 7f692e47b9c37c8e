#pragma once

#include "kora/interface/InstructI.h"

// The component's instructs: the modal analysis tools, the quick-mouse focus and the keyboard
// order mode switch.
class KRTToolsInstruct : public Kora::Interface::InstructProviderI {
public:
    Kora::Utility::SharedWStringMapVector GetInstructs() override;
    // Always answers a null value.
    Json::Value ExecuteInstruct(const Json::Value& request) override;
};
