#pragma once

#include <QPointer>
#include <QWidget>
#include <list>

#include "kora/interface/ContentWindowI.h"

// Process-wide state of the component: the keyboard order mode and its shortcut window, the
// tool dialogs that are open, and the frame dialogs of the stock quick-mouse page.
class CKRTToolsApp {
public:
    static CKRTToolsApp& Instance();

    // The shortcut trade window, created on the first switch-on of the keyboard order mode.
    Kora::Utility::Handle<Kora::Interface::ContentWindowI> shortcutWindow;
    bool keyboardModeOn = false;

    // Tool dialogs opened by the component (page frames, pop-ups); closed at unload.
    void AddOpenDialog(QWidget* dialog);
    void RemoveOpenDialog(QWidget* dialog);
    bool IsOpenDialog(QWidget* dialog) const;

    // A tool window the application owns (the stand-alone frame); destroyed at unload.
    void SetOwnedToolWindow(QWidget* window);
    QWidget* OwnedToolWindow() const { return m_toolWindow; }

    // What runs at unload and when the application ends: closes the open dialogs, destroys the
    // owned tool window and releases the shortcut window.
    void CleanUp();

private:
    CKRTToolsApp() = default;

    std::list<QPointer<QWidget>> m_openDialogs;
    QPointer<QWidget> m_toolWindow;
};
