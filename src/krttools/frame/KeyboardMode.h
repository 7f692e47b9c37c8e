#pragma once

#include "kora/interface/WindowTypes.h"

// The keyboard order mode: while it is on, the shortcut trade window is shown and key chords
// anywhere in the terminal are looked up in the shortcut-key table and handed to that window.
// Host services are used through handles that throw when a service is missing, as the glue
// does everywhere; callers at the host boundary catch.
namespace KeyboardMode {

bool IsOn();
// Turns the mode on for the terminal's main window. Stays off (with a message box and a log
// line) when no trading account is logged in.
void SwitchOn(Kora::Interface::WindowHandle mainWindow);
void SwitchOff();
// "OpenShortcutTrade": on when off (for the UI frame's main window), off when on.
void Toggle();

// Every keyboard message of the terminal; true when a shortcut acted on it. The chord is the
// key with the modifiers the application's key state holds as it goes down.
bool OnKeyMessage(const Kora::Interface::WindowMessage& message);

// Forgets every key held and stops watching for lost key-ups; at unload.
void ReleaseKeyState();

}  // namespace KeyboardMode
