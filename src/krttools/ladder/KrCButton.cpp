#include "ladder/KrCButton.h"

#include <QPainter>

#include "ladder/QuickMouseHost.h"

namespace {

constexpr uint32_t kDefaultText = 0x333333;
constexpr uint32_t kDefaultDisabledText = 0xA0A0A0;
constexpr int kMarkSize = 14;
constexpr int kMarkGap = 4;

}  // namespace

KrCButton::KrCButton(const QString& text, Look look, QWidget* parent)
    : QPushButton(text, parent), m_look(look) {
    setAttribute(Qt::WA_Hover);
    if (look == Look::Radio || look == Look::Check) {
        setCheckable(true);
        setAutoExclusive(look == Look::Radio);
    }
}

QStringList KrCButton::ImageNames() const {
    const QString state = isDown() || (isCheckable() && isChecked()) ? QStringLiteral("选中态")
                          : m_hovered                                ? QStringLiteral("悬浮态")
                                                                     : QStringLiteral("正常态");
    switch (m_look) {
        case Look::Stretched: {
            const QString base = QStringLiteral("交易普通拉伸按钮背景图");
            return {base + QStringLiteral("左侧区-") + state, base + QStringLiteral("中间区-") + state,
                    base + QStringLiteral("右侧区-") + state};
        }
        case Look::VerticallyStretched: {
            const QString base = QStringLiteral("交易普通纵向拉伸按钮背景图");
            return {base + QStringLiteral("顶部区-") + state, base + QStringLiteral("中间区-") + state,
                    base + QStringLiteral("底部区-") + state};
        }
        case Look::Radio:
            return {QStringLiteral("交易单选按钮背景图") +
                    (isChecked() ? QStringLiteral("选中-") : QStringLiteral("未选中-")) +
                    (isEnabled() ? QStringLiteral("正常态") : QStringLiteral("禁用态"))};
        case Look::Check:
        default:
            return {QStringLiteral("交易复选按钮背景图") +
                    (isChecked() ? QStringLiteral("选中-正常态") : QStringLiteral("未选中-正常态"))};
    }
}

QSize KrCButton::sizeHint() const {
    const int textWidth = fontMetrics().horizontalAdvance(text());
    if (m_look == Look::Radio || m_look == Look::Check) {
        return {kMarkSize + kMarkGap + textWidth + 2, std::max(kMarkSize, fontMetrics().height()) + 4};
    }
    return {textWidth + 20, 24};
}

void KrCButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QStringList names = ImageNames();
    QRect textRect = rect();
    if (m_look == Look::Radio || m_look == Look::Check) {
        const QRect mark(0, (height() - kMarkSize) / 2, kMarkSize, kMarkSize);
        painter.drawPixmap(mark, QuickMouseHost::TradeImage(names.front()));
        textRect.setLeft(mark.right() + 1 + kMarkGap);
    } else {
        // Both ends keep their own size along the stretch; the middle fills the rest.
        const QPixmap first = QuickMouseHost::TradeImage(names[0]);
        const QPixmap middle = QuickMouseHost::TradeImage(names[1]);
        const QPixmap last = QuickMouseHost::TradeImage(names[2]);
        if (m_look == Look::Stretched) {
            const int left = std::min(first.width(), width() / 2);
            const int right = std::min(last.width(), width() - left);
            painter.drawPixmap(QRect(0, 0, left, height()), first);
            painter.drawPixmap(QRect(left, 0, width() - left - right, height()), middle);
            painter.drawPixmap(QRect(width() - right, 0, right, height()), last);
        } else {
            const int top = std::min(first.height(), height() / 2);
            const int bottom = std::min(last.height(), height() - top);
            painter.drawPixmap(QRect(0, 0, width(), top), first);
            painter.drawPixmap(QRect(0, top, width(), height() - top - bottom), middle);
            painter.drawPixmap(QRect(0, height() - bottom, width(), bottom), last);
        }
    }
    painter.setPen(
        isEnabled() ? QuickMouseHost::Colour(QStringLiteral("交易按钮文字颜色"), kDefaultText)
                    : QuickMouseHost::Colour(QStringLiteral("交易按钮不可用文字颜色"), kDefaultDisabledText));
    const Qt::Alignment align =
        m_look == Look::Radio || m_look == Look::Check ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignCenter;
    painter.drawText(textRect, align | Qt::TextSingleLine, text());
}

void KrCButton::enterEvent(QEnterEvent* event) {
    QPushButton::enterEvent(event);
    m_hovered = true;
    update();
}

void KrCButton::leaveEvent(QEvent* event) {
    QPushButton::leaveEvent(event);
    m_hovered = false;
    update();
}
