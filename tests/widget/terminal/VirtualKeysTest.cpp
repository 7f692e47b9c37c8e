// Qt keys as the Windows key messages the component's key tables are written for.

#include <gtest/gtest.h>

#include <QKeyEvent>

#include "platform/WinMessage.h"
#include "ui/VirtualKeys.h"

using Terminal::Ui::KeyMessageOf;
using Terminal::Ui::VirtualKeyOf;

namespace {

struct KeyCase {
    const char* name;
    int qtKey;
    bool keypad;
    int virtualKey;
};

// The keys whose code is not simply the key's letter, digit or Qt's own value.
const KeyCase kKeys[] = {
    {"F5", Qt::Key_F5, false, 116},
    {"Ctrl", Qt::Key_Control, false, 17},
    {"keypad Enter", Qt::Key_Enter, true, 13},
    {"Delete", Qt::Key_Delete, false, 46},
    {"keypad 5", Qt::Key_5, true, 0x65},
    {"keypad -", Qt::Key_Minus, true, 0x6D},
    {"keypad arrow reads as the arrow", Qt::Key_Up, true, 38},
    {"shifted 1", Qt::Key_Exclam, false, '1'},
    {"shifted 8 is not the keypad's *", Qt::Key_Asterisk, false, '8'},
    {"= and +", Qt::Key_Plus, false, 0xBB},
    {"; and :", Qt::Key_Colon, false, 0xBA},
    {"a key Windows has no code for", Qt::Key_VolumeUp, false, 0},
};

TEST(VirtualKeysTest, QtKeysReadAsTheirWindowsVirtualKeyCodes) {
    for (const KeyCase& key : kKeys) {
        EXPECT_EQ(VirtualKeyOf(key.qtKey, key.keypad), key.virtualKey) << key.name;
    }
}

TEST(VirtualKeysTest, AltChordsAreSystemKeysUnlessCtrlIsHeldToo) {
    const QKeyEvent altB(QEvent::KeyPress, Qt::Key_B, Qt::AltModifier);
    const auto sys = KeyMessageOf(altB, nullptr);
    ASSERT_TRUE(sys);
    EXPECT_EQ(sys->message, Win::WM_SYSKEYDOWN);
    EXPECT_EQ(sys->wParam, 66u);
    EXPECT_TRUE(sys->lParam & (1 << 29)) << "the context bit says Alt is down";

    const QKeyEvent ctrlAltB(QEvent::KeyPress, Qt::Key_B, Qt::AltModifier | Qt::ControlModifier);
    EXPECT_EQ(KeyMessageOf(ctrlAltB, nullptr)->message, Win::WM_KEYDOWN);

    const QKeyEvent altReleased(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    EXPECT_EQ(KeyMessageOf(altReleased, nullptr)->message, Win::WM_SYSKEYUP);
}

TEST(VirtualKeysTest, ReleasesAndRepeatsCarryTheirStateBitsAndARepeatReleaseIsNotSent) {
    const QKeyEvent press(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
    const auto down = KeyMessageOf(press, nullptr);
    ASSERT_TRUE(down);
    EXPECT_EQ(down->message, Win::WM_KEYDOWN);
    EXPECT_EQ(down->lParam & 0xFFFF, 1) << "repeat count";
    EXPECT_FALSE(down->lParam & (1 << 30));

    const QKeyEvent repeat(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier, QString(), true);
    EXPECT_TRUE(KeyMessageOf(repeat, nullptr)->lParam & (1 << 30)) << "a repeat was down before";

    const QKeyEvent repeatRelease(QEvent::KeyRelease, Qt::Key_F5, Qt::NoModifier, QString(), true);
    EXPECT_FALSE(KeyMessageOf(repeatRelease, nullptr)) << "Windows repeats key-downs only";

    const QKeyEvent release(QEvent::KeyRelease, Qt::Key_F5, Qt::NoModifier);
    const auto up = KeyMessageOf(release, nullptr);
    ASSERT_TRUE(up);
    EXPECT_EQ(up->message, Win::WM_KEYUP);
    EXPECT_EQ(uint64_t(up->lParam) & (3ull << 30), 3ull << 30);
}

}  // namespace
