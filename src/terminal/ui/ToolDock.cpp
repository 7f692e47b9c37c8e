#include "ui/ToolDock.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QMenu>

#include "platform/WinMessage.h"
#include "ui/DockTitleBar.h"

namespace Terminal::Ui {

using Kora::Utility::Handle;
namespace I = Kora::Interface;

namespace {

constexpr QSize kSmallest{320, 120};

// The dock's content: the content window's dialog lives here and always fills it.
class ContentSlot : public QWidget {
public:
    ContentSlot(Handle<I::ContentWindowI> window, QWidget* parent) : QWidget(parent), m_window(window.Get()) {
        setAutoFillBackground(true);
    }

    void Forget() { m_window = nullptr; }

    // The dialog's own size when it chose one, else what its layout asks for.
    QSize sizeHint() const override {
        QWidget* dialog = m_window ? m_window->GetHwnd() : nullptr;
        if (!dialog) {
            return QWidget::sizeHint();
        }
        const QSize wanted = dialog->testAttribute(Qt::WA_Resized) ? dialog->size() : dialog->sizeHint();
        return wanted.expandedTo(kSmallest);
    }

protected:
    void resizeEvent(QResizeEvent*) override {
        if (m_window) {
            m_window->Move(0, 0, width(), height());
        }
    }

private:
    I::ContentWindowI* m_window;  // the dock's handle keeps it alive while the slot knows it
};

}  // namespace

ToolDock::ToolDock(Handle<I::ContentWindowI> window, const QString& type, const QString& title,
                   Handle<I::ContentWindowSvcI> service, QWidget* parent)
    : QDockWidget(title, parent), m_window(std::move(window)), m_service(std::move(service)), m_type(type) {
    setObjectName(type);
    setAttribute(Qt::WA_DeleteOnClose);
    setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable |
                QDockWidget::DockWidgetFloatable);
    setTitleBarWidget(new DockTitleBar(*this));
    auto* slot = new ContentSlot(m_window, this);
    setWidget(slot);
    if (m_window) {
        m_window->SetParent(slot);
        m_window->Move(0, 0, slot->sizeHint().width(), slot->sizeHint().height());
        m_window->Show(true);
    }
}

ToolDock::~ToolDock() {
    Release();
}

void ToolDock::Release() {
    if (!m_window) {
        return;
    }
    static_cast<ContentSlot*>(widget())->Forget();
    Handle<I::ContentWindowI> window = std::move(m_window);
    m_window = nullptr;
    window->Show(false);
    if (!m_service || !m_service->DestroyContentWindow(window)) {
        window->PreDestroy({});
    }
    // Whoever else still holds the window, its dialog must not die with the dock's slot.
    window->SetParent(nullptr);
}

void ToolDock::closeEvent(QCloseEvent* event) {
    Release();
    QDockWidget::closeEvent(event);
}

QMenu* ToolDock::BuildContextMenu(QWidget* parent) {
    auto* menu = new QMenu(parent);
    if (m_window) {
        if (const Kora::Utility::SharedWStringMapVector items = m_window->BuildMenu()) {
            for (const Kora::Utility::WStringMap& item : *items) {
                const QString text = Kora::Utility::ValueOf(item, QStringLiteral("Text"));
                bool numbered = false;
                const int id = Kora::Utility::ValueOf(item, QStringLiteral("ID")).toInt(&numbered);
                if (text.isEmpty() || text == QStringLiteral("-")) {
                    menu->addSeparator();
                    continue;
                }
                QAction* action = menu->addAction(text);
                action->setEnabled(numbered);
                connect(action, &QAction::triggered, this, [this, id] {
                    if (m_window) {
                        m_window->OnMsg(Win::WM_COMMAND, I::WPARAM(id), 0);
                    }
                });
            }
            if (!items->empty()) {
                menu->addSeparator();
            }
        }
    }
    connect(menu->addAction(QStringLiteral("关闭")), &QAction::triggered, this, &QDockWidget::close);
    return menu;
}

void ToolDock::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = BuildContextMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
    event->accept();
}

}  // namespace Terminal::Ui
