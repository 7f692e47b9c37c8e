#pragma once

#include <json/value.h>

// What the keyboard order mode's key filter hands a recognised chord to: the shortcut trade
// window's action entry. Answers whether the action was handled.
class ShortcutActionHandler {
public:
    virtual ~ShortcutActionHandler() = default;
    virtual bool OnShortcutAction(int action, const Json::Value& option) = 0;
};
