#pragma once

#include <QWidget>

class QDockWidget;
class QLabel;
class QToolButton;

namespace Terminal::Ui {

// The title bar of a tool dock, drawn by the terminal itself so that a docked and a floating
// tool look the same on every platform: the tool's name, then float and close buttons.
class DockTitleBar : public QWidget {
    Q_OBJECT
public:
    explicit DockTitleBar(QDockWidget& dock);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QDockWidget& m_dock;
    QLabel* m_title = nullptr;
    QToolButton* m_float = nullptr;
    QToolButton* m_close = nullptr;
};

}  // namespace Terminal::Ui
