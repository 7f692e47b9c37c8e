#pragma once

#include <json/value.h>

#include <QString>
#include <QStringList>
#include <cstdint>
#include <map>

// Key chords of the keyboard order mode: a binding key is the virtual-key code in the upper 16
// bits and a modifier mask (1 Alt, 2 Ctrl, 4 Shift) in the lower 16; each maps to an action
// number of the shortcut trade window and the configuration item that defined it ("Option").
class ShortcutKeyTable {
public:
    static constexpr const char* kSection = "公共参数键盘下单设置";

    enum Modifier : uint32_t { kAlt = 1, kCtrl = 2, kShift = 4 };

    struct Binding {
        int command = 0;
        Json::Value option;
    };

    // The table the whole component shares (the key filter and the shortcut trade window).
    static ShortcutKeyTable& Shared();

    static uint32_t BindingKey(int64_t virtualKey, int64_t modifiers);
    // A chord as the user reads it: "Ctrl+Shift+F5", "Alt+A", "键188".
    static QString ChordText(int64_t virtualKey, int64_t modifiers);
    // Why an item's parameters are unusable: "快捷键设置无效|<item>|<chord>|<parameter>=<value>";
    // empty when they are fine. Order elements need a known side and offset (OrderKey), the
    // multiplier item a whole "数量倍率" from 1 to the largest order volume.
    static QString Problem(const char* item, const Json::Value& binding);

    // Clears the table and adds the bindings of the configuration section, in a fixed item
    // order, later bindings of the same chord replacing earlier ones. A missing item binds key
    // 0, which no key press produces. Items whose parameters are unusable are left out; the
    // answer says which (Problem), for the log.
    QStringList Load(const Json::Value& section);
    // Loads from the host's configuration service (an empty table without one).
    QStringList LoadFromConfiguration();

    // The action of a chord (0: none) and its parameters.
    Binding Lookup(int virtualKey, uint32_t modifiers) const;

    const std::map<uint32_t, Binding>& Bindings() const { return m_bindings; }

    // One physical key press fires one action, however long the key repeats: the latch is set
    // by an action and cleared by the key-up.
    bool keyHeld = false;
    // Set by the shortcut trade window when it did nothing with the chord, so the key filter
    // releases the latch and a repeat of the key may try again. An action that asked a question
    // keeps the latch: the key's auto-repeat during the box must not fire it a second time, and
    // the next key-up (the one that answers the box, at the latest) releases it.
    bool handled = false;

private:
    // Adds the binding, or answers why not.
    QString Add(const char* name, const Json::Value& item, int command);

    std::map<uint32_t, Binding> m_bindings;
};
