#pragma once

#include <QColor>
#include <QStringList>
#include <QWidget>

// A switch bar: a row of items side by side, one of them chosen, drawn as joined segments. A
// click (or Left/Right with the focus) chooses an item and reports it; a choice the owner makes
// with SetCurSel is not reported back.
class CESwitch : public QWidget {
    Q_OBJECT
public:
    // Colours left invalid follow the palette (button face and text, its highlight for the
    // chosen item).
    struct Colors {
        QColor face;
        QColor text;
        QColor hover;
        QColor chosenFace;
        QColor chosenText;
        QColor border;
    };

    explicit CESwitch(QWidget* parent = nullptr);

    // Appends an item (its text drawn as given, spaces included); answers its index.
    int AddItem(const QString& text);
    int ItemCount() const { return static_cast<int>(m_items.size()); }
    QString ItemText(int index) const { return m_items.value(index); }
    // -1 when nothing is chosen (no items yet).
    int GetCurSel() const { return m_current; }
    // Chooses the item without reporting it; an index out of range is ignored.
    void SetCurSel(int index);
    void SetColors(const Colors& colors);
    // Where an item is drawn, in the bar's coordinates.
    QRect ItemRect(int index) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    // The user chose the item at `index`.
    void selectionChanged(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    int ItemAt(const QPoint& point) const;
    int ItemWidth(int index) const;
    void Choose(int index);
    Colors EffectiveColors() const;

    QStringList m_items;
    int m_current = -1;
    int m_hovered = -1;
    Colors m_colors;
};
