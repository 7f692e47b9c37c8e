#include "CESwitch.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

namespace {
constexpr int kPadding = 8;
constexpr int kHeight = 26;
constexpr qreal kCornerRadius = 3.0;
}  // namespace

CESwitch::CESwitch(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

int CESwitch::AddItem(const QString& text) {
    m_items.append(text);
    if (m_current < 0) {
        m_current = 0;
    }
    updateGeometry();
    update();
    return ItemCount() - 1;
}

void CESwitch::SetCurSel(int index) {
    if (index < 0 || index >= ItemCount() || index == m_current) {
        return;
    }
    m_current = index;
    update();
}

void CESwitch::SetColors(const Colors& colors) {
    m_colors = colors;
    update();
}

int CESwitch::ItemWidth(int index) const {
    return fontMetrics().horizontalAdvance(m_items[index]) + 2 * kPadding;
}

QRect CESwitch::ItemRect(int index) const {
    if (index < 0 || index >= ItemCount()) {
        return {};
    }
    int left = 0;
    for (int i = 0; i < index; ++i) {
        left += ItemWidth(i);
    }
    return QRect(left, 0, ItemWidth(index), height());
}

QSize CESwitch::sizeHint() const {
    int width = 0;
    for (int i = 0; i < ItemCount(); ++i) {
        width += ItemWidth(i);
    }
    return QSize(width + 1, std::max(kHeight, fontMetrics().height() + 10));
}

int CESwitch::ItemAt(const QPoint& point) const {
    for (int i = 0; i < ItemCount(); ++i) {
        if (ItemRect(i).contains(point)) {
            return i;
        }
    }
    return -1;
}

void CESwitch::Choose(int index) {
    if (index < 0 || index >= ItemCount() || index == m_current) {
        return;
    }
    m_current = index;
    update();
    emit selectionChanged(index);
}

CESwitch::Colors CESwitch::EffectiveColors() const {
    const QPalette& p = palette();
    const auto either = [](const QColor& chosen, const QColor& fallback) {
        return chosen.isValid() ? chosen : fallback;
    };
    return {either(m_colors.face, p.button().color()),
            either(m_colors.text, p.buttonText().color()),
            either(m_colors.hover, p.midlight().color()),
            either(m_colors.chosenFace, p.highlight().color()),
            either(m_colors.chosenText, p.highlightedText().color()),
            either(m_colors.border, p.mid().color())};
}

void CESwitch::paintEvent(QPaintEvent*) {
    const Colors colors = EffectiveColors();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF outline = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QPainterPath frame;
    frame.addRoundedRect(outline, kCornerRadius, kCornerRadius);
    painter.setClipPath(frame);
    painter.fillRect(rect(), colors.face);
    for (int i = 0; i < ItemCount(); ++i) {
        const QRect item = ItemRect(i);
        const bool chosen = i == m_current;
        if (chosen) {
            painter.fillRect(item, colors.chosenFace);
        } else if (i == m_hovered) {
            painter.fillRect(item, colors.hover);
        }
        if (i > 0 && !chosen && i - 1 != m_current) {
            painter.setPen(colors.border);
            painter.drawLine(item.topLeft() + QPoint(0, 5), item.bottomLeft() - QPoint(0, 5));
        }
        painter.setPen(chosen ? colors.chosenText : colors.text);
        painter.drawText(item, Qt::AlignCenter, m_items[i]);
    }
    painter.setClipping(false);
    painter.setPen(QPen(hasFocus() ? colors.chosenFace : colors.border, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(frame);
}

void CESwitch::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        Choose(ItemAt(event->position().toPoint()));
    }
}

void CESwitch::mouseMoveEvent(QMouseEvent* event) {
    const int hovered = ItemAt(event->position().toPoint());
    if (hovered != m_hovered) {
        m_hovered = hovered;
        update();
    }
}

void CESwitch::leaveEvent(QEvent*) {
    m_hovered = -1;
    update();
}

void CESwitch::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Left) {
        Choose(m_current - 1);
    } else if (event->key() == Qt::Key_Right) {
        Choose(m_current + 1);
    } else {
        QWidget::keyPressEvent(event);
    }
}
