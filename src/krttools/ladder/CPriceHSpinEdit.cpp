#include "ladder/CPriceHSpinEdit.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "ladder/MsgEdit.h"
#include "ladder/QuickMouseHost.h"
#include "ladder/QuickMouseMessages.h"
#include "ladder/SpinValue.h"
#include "platform/ColorRef.h"

namespace {

constexpr int kButtonWidth = 18;
constexpr double kSmallestTyped = 1e-8;
constexpr uint32_t kFrame = 0xBBBBBB;

}  // namespace

CPriceHSpinEdit::CPriceHSpinEdit(QWidget* parent) : QWidget(parent), m_edit(new MsgEdit(this)) {
    setMouseTracking(true);
    connect(m_edit, &QLineEdit::textChanged, this, &CPriceHSpinEdit::OnTextChanged);
    connect(m_edit, &QLineEdit::editingFinished, this, [this] { SetValue(m_value); });
    connect(m_edit, &MsgEdit::stepRequested, this, &CPriceHSpinEdit::StepBy);
    SetValue(0);
}

QSize CPriceHSpinEdit::sizeHint() const {
    return {100, 24};
}

void CPriceHSpinEdit::SetFormat(const QString& format) {
    m_format = format;
    SetValue(m_value);
}

void CPriceHSpinEdit::SetValue(double value) {
    value = SpinValue::Normalise(value, m_wholeSteps ? m_step : 0.0, m_allowNegative);
    if (SpinValue::IsWholeNumberFormat(m_format)) {
        value = std::trunc(value);
    }
    m_value = value;
    const QString text = SpinValue::Format(value, m_format);
    if (m_edit->text() != text) {
        m_edit->setText(text);
    }
    // A value set outright is authoritative, even one the typing rule would not take.
    m_value = value;
    m_lastValues = {value, value};
}

void CPriceHSpinEdit::OnTextChanged(const QString& text) {
    Win::SendMessage(parentWidget(), QuickMouseMsg::kSpinEditChanged, reinterpret_cast<Win::WPARAM>(this), 0);
    bool number = false;
    const double typed = text.toDouble(&number);
    // A half-typed or vanishing value ("0.000000001", "-") is not taken; "0" and "" are.
    if (!text.isEmpty() && text != QStringLiteral("0") && (!number || typed < kSmallestTyped)) {
        return;
    }
    m_value = number ? typed : 0;
    m_lastValues = {m_value, m_value};
}

void CPriceHSpinEdit::StepBy(int direction) {
    if (m_step <= 0 || direction == 0) {
        return;
    }
    const auto [smaller, larger] = std::minmax(m_lastValues[0], m_lastValues[1]);
    SetValue(direction > 0 ? larger + m_step : smaller - m_step);
}

Win::LRESULT CPriceHSpinEdit::OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM lParam) {
    switch (message) {
        case QuickMouseMsg::kSpinEditTakeLast: {
            const auto which = static_cast<intptr_t>(wParam);
            const auto [smaller, larger] = std::minmax(m_lastValues[0], m_lastValues[1]);
            if (which == 1 || which == -1) {
                SetValue(which == 1 ? larger : smaller);
            }
            return 1;
        }
        case QuickMouseMsg::kSelectionIndex:
            m_selectionIndex = static_cast<int>(static_cast<intptr_t>(wParam));
            return Win::SendMessage(parentWidget(), message, wParam, lParam);
        default:
            return 0;
    }
}

QRect CPriceHSpinEdit::ButtonRect(int button) const {
    const int left = button == kMinus ? 0 : width() - kButtonWidth;
    return QRect(left, 0, kButtonWidth, height());
}

int CPriceHSpinEdit::ButtonAt(const QPoint& pos) const {
    for (int button : {kMinus, kPlus}) {
        if (ButtonRect(button).contains(pos)) {
            return button;
        }
    }
    return kNone;
}

void CPriceHSpinEdit::SetHover(int button) {
    if (button != m_hover) {
        m_hover = button;
        update();
    }
}

void CPriceHSpinEdit::resizeEvent(QResizeEvent*) {
    m_edit->setGeometry(kButtonWidth + 1, 1, std::max(0, width() - 2 * kButtonWidth - 2),
                        std::max(0, height() - 2));
}

void CPriceHSpinEdit::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    const auto image = [this](int button) {
        const bool minus = button == kMinus;
        const QString base =
            minus ? QStringLiteral("交易价量减少按钮背景图-") : QStringLiteral("交易价量增加按钮背景图-");
        // The minus button has no pressed image; its hover image serves.
        const QString state = m_pressed == button && !minus              ? QStringLiteral("选中态")
                              : m_hover == button || m_pressed == button ? QStringLiteral("悬浮态")
                                                                         : QStringLiteral("正常态");
        return QuickMouseHost::TradeImage(base + state);
    };
    for (int button : {kMinus, kPlus}) {
        painter.drawPixmap(ButtonRect(button), image(button));
    }
    painter.setPen(Win::FromColorRef(kFrame));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void CPriceHSpinEdit::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta != 0) {
        StepBy(delta > 0 ? 1 : -1);
    }
    event->accept();
}

void CPriceHSpinEdit::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_pressed = ButtonAt(event->position().toPoint());
        update();
    }
}

void CPriceHSpinEdit::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const int pressed = m_pressed;
    m_pressed = kNone;
    if (pressed != kNone && ButtonAt(event->position().toPoint()) == pressed) {
        StepBy(pressed == kPlus ? 1 : -1);
    }
    update();
}

void CPriceHSpinEdit::mouseMoveEvent(QMouseEvent* event) {
    SetHover(ButtonAt(event->position().toPoint()));
}

void CPriceHSpinEdit::leaveEvent(QEvent*) {
    SetHover(kNone);
}
