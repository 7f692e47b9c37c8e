#pragma once

#include <QDockWidget>

#include "kora/interface/ContentWindowI.h"
#include "kora/interface/ContentWindowSvcI.h"

namespace Terminal::Ui {

// One tool window of the component docked in the main window. The dock parents the content
// window's dialog to its own slot and keeps it filling the slot (SetParent, Move, Show); its
// context menu is the window's BuildMenu() (a choice comes back as WM_COMMAND with the item's
// "ID") followed by the terminal's own "关闭". Closing the dock destroys the content window:
// PreDestroy (through the content-window service, which made it) and then the dock's handle is
// dropped, before the dock itself goes.
class ToolDock : public QDockWidget {
    Q_OBJECT
public:
    ToolDock(Kora::Utility::Handle<Kora::Interface::ContentWindowI> window, const QString& type,
             const QString& title, Kora::Utility::Handle<Kora::Interface::ContentWindowSvcI> service,
             QWidget* parent = nullptr);
    ~ToolDock() override;

    const Kora::Utility::Handle<Kora::Interface::ContentWindowI>& Window() const { return m_window; }
    const QString& Type() const { return m_type; }
    // The terminal's part of the context menu, after the window's own items.
    QMenu* BuildContextMenu(QWidget* parent);
    // Destroys the content window now; the dock stays, empty. Safe to call again.
    void Release();

protected:
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    Kora::Utility::Handle<Kora::Interface::ContentWindowI> m_window;
    Kora::Utility::Handle<Kora::Interface::ContentWindowSvcI> m_service;
    QString m_type;
};

}  // namespace Terminal::Ui
