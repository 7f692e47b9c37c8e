#include "CKrPriceHSpinEdit.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <utility>

#include "CKrAmountEdit.h"
#include "SpinValue.h"
#include "platform/ColorRef.h"

namespace {

constexpr int kButtonWidth = 18;
constexpr double kSmallestTyped = 1e-8;
constexpr uint32_t kFrame = 0xBBBBBB;
constexpr uint32_t kButtonFace = 0xF2F2F2;
constexpr uint32_t kButtonHover = 0xE0E0E0;
constexpr uint32_t kGlyph = 0x444444;

}  // namespace

CKrPriceHSpinEdit::CKrPriceHSpinEdit(QWidget* parent) : QWidget(parent), m_edit(new CKrAmountEdit(this)) {
    setMouseTracking(true);
    connect(m_edit, &QLineEdit::textChanged, this, &CKrPriceHSpinEdit::OnTextChanged);
    connect(m_edit, &QLineEdit::editingFinished, this, [this] { SetValue(m_value); });
    connect(m_edit, &CKrAmountEdit::stepRequested, this, &CKrPriceHSpinEdit::StepBy);
    SetValue(0);
}

QSize CKrPriceHSpinEdit::sizeHint() const {
    return {100, 24};
}

void CKrPriceHSpinEdit::SetFormat(const QString& format) {
    m_format = format;
    SetValue(m_value);
}

void CKrPriceHSpinEdit::SetValue(double value) {
    ShowValue(value, Change::kSet);
}

void CKrPriceHSpinEdit::ShowValue(double value, Change change) {
    value = SpinValue::Normalise(value, m_wholeSteps ? m_step : 0.0, m_allowNegative);
    if (SpinValue::IsWholeNumberFormat(m_format)) {
        value = std::trunc(value);
    }
    m_value = value;
    const QString text = SpinValue::Format(value, m_format);
    if (m_edit->text() != text) {
        const Change previous = std::exchange(m_changing, change);
        m_edit->setText(text);
        m_changing = previous;
    }
    // A value set outright is authoritative, even one the typing rule would not take.
    m_value = value;
    m_lastValues = {value, value};
}

void CKrPriceHSpinEdit::OnTextChanged(const QString& text) {
    bool number = false;
    const double typed = text.toDouble(&number);
    // A half-typed or vanishing value ("0.000000001", "-") is not taken; "0" and "" are.
    const double size = m_allowNegative ? std::fabs(typed) : typed;
    if (text.isEmpty() || text == QStringLiteral("0") || (number && size >= kSmallestTyped)) {
        m_value = number ? typed : 0;
        m_lastValues = {m_value, m_value};
    }
    // Told once the value is taken, so the owner reads the new one.
    ReportChange(m_changing);
}

void CKrPriceHSpinEdit::ReportChange(Change change) {
    if (change == Change::kSet) {
        return;
    }
    Win::SendMessage(m_owner ? m_owner : parentWidget(),
                     change == Change::kTyped ? kValueTyped : kValueStepped,
                     reinterpret_cast<Win::WPARAM>(this), 0);
}

void CKrPriceHSpinEdit::StepBy(int direction) {
    if (m_step <= 0 || direction == 0) {
        return;
    }
    const auto [smaller, larger] = std::minmax(m_lastValues[0], m_lastValues[1]);
    ShowValue(direction > 0 ? larger + m_step : smaller - m_step, Change::kStepped);
}

void CKrPriceHSpinEdit::TakeLastValue(int which) {
    const auto [smaller, larger] = std::minmax(m_lastValues[0], m_lastValues[1]);
    if (which == 1 || which == -1) {
        SetValue(which == 1 ? larger : smaller);
    }
}

QRect CKrPriceHSpinEdit::ButtonRect(int button) const {
    const int left = button == kMinus ? 0 : width() - kButtonWidth;
    return QRect(left, 0, kButtonWidth, height());
}

int CKrPriceHSpinEdit::ButtonAt(const QPoint& pos) const {
    for (int button : {kMinus, kPlus}) {
        if (ButtonRect(button).contains(pos)) {
            return button;
        }
    }
    return kNone;
}

void CKrPriceHSpinEdit::SetHover(int button) {
    if (button != m_hover) {
        m_hover = button;
        update();
    }
}

void CKrPriceHSpinEdit::resizeEvent(QResizeEvent*) {
    m_edit->setGeometry(kButtonWidth + 1, 1, std::max(0, width() - 2 * kButtonWidth - 2),
                        std::max(0, height() - 2));
}

void CKrPriceHSpinEdit::DrawPlainButton(QPainter& painter, int button) const {
    const QRect face = ButtonRect(button).adjusted(1, 1, -1, -1);
    painter.fillRect(
        face, Win::FromColorRef(m_hover == button || m_pressed == button ? kButtonHover : kButtonFace));
    painter.setPen(QPen(Win::FromColorRef(kGlyph), 1.5));
    const QPoint c = face.center();
    painter.drawLine(c.x() - 3, c.y(), c.x() + 3, c.y());
    if (button == kPlus) {
        painter.drawLine(c.x(), c.y() - 3, c.x(), c.y() + 3);
    }
}

void CKrPriceHSpinEdit::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), isEnabled() ? Qt::white : palette().window().color());
    for (int button : {kMinus, kPlus}) {
        const QPixmap picture = ButtonPixmap(Button(button), m_hover == button, m_pressed == button);
        if (picture.isNull()) {
            DrawPlainButton(painter, button);
        } else {
            painter.drawPixmap(ButtonRect(button), picture);
        }
    }
    painter.setPen(Win::FromColorRef(kFrame));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void CKrPriceHSpinEdit::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta != 0) {
        StepBy(delta > 0 ? 1 : -1);
    }
    event->accept();
}

void CKrPriceHSpinEdit::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        m_pressed = ButtonAt(event->position().toPoint());
        update();
    }
}

void CKrPriceHSpinEdit::mouseReleaseEvent(QMouseEvent* event) {
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

void CKrPriceHSpinEdit::mouseMoveEvent(QMouseEvent* event) {
    SetHover(ButtonAt(event->position().toPoint()));
}

void CKrPriceHSpinEdit::leaveEvent(QEvent*) {
    SetHover(kNone);
}
