#pragma once

#include <QPushButton>

// The themed button of the stock quick-mouse window, drawn from the theme images of category
// "交易": a button stretched horizontally or vertically from three parts, a radio button or a
// check box. Text colours come from the theme ("交易按钮文字颜色", "交易按钮不可用文字颜色").
class KrCButton : public QPushButton {
    Q_OBJECT
public:
    enum class Look { Stretched, VerticallyStretched, Radio, Check };

    explicit KrCButton(const QString& text = {}, Look look = Look::Stretched, QWidget* parent = nullptr);

    Look GetLook() const { return m_look; }
    bool IsHovered() const { return m_hovered; }
    // The names of the images the button draws in its current state, in drawing order.
    QStringList ImageNames() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    Look m_look;
    bool m_hovered = false;
};
