#pragma once

#include <QPixmap>
#include <QPushButton>

// A push button drawn from a picture stretched over it, its text in a colour of its own; pressed
// it darkens, disabled it fades. Without a picture it is a plain button.
class CKrImageButton : public QPushButton {
    Q_OBJECT
public:
    explicit CKrImageButton(const QString& text = {}, QWidget* parent = nullptr);

    void SetImage(const QPixmap& image);
    void SetTextColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_image;
    QColor m_textColor{Qt::white};
};
