#include "CKrImageButton.h"

#include <QPainter>

CKrImageButton::CKrImageButton(const QString& text, QWidget* parent) : QPushButton(text, parent) {}

void CKrImageButton::SetImage(const QPixmap& image) {
    m_image = image;
    update();
}

void CKrImageButton::SetTextColor(const QColor& color) {
    m_textColor = color;
    update();
}

void CKrImageButton::paintEvent(QPaintEvent* event) {
    if (m_image.isNull()) {
        QPushButton::paintEvent(event);
        return;
    }
    QPainter painter(this);
    painter.drawPixmap(rect(), m_image);
    if (isDown()) {
        painter.fillRect(rect(), QColor(0, 0, 0, 40));
    } else if (!isEnabled()) {
        painter.fillRect(rect(), QColor(255, 255, 255, 110));
    }
    painter.setPen(m_textColor);
    painter.setFont(font());
    painter.drawText(rect(), Qt::AlignCenter, text());
}
