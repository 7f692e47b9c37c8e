#pragma once

#include <QWidget>
#include <array>

#include "platform/WinMessage.h"

class MsgEdit;

// The volume and price edit of the stock quick-mouse window: an edit between a minus and a
// plus button. Every text change is reported to the parent (QuickMouseMsg::kSpinEditChanged)
// and remembered as the last value typed; the wheel, the buttons and the Up and Down keys step
// from it. Values are normalised to whole steps (SpinValue::Normalise) whenever they are set,
// stepped, or the edit is left (unless the edit keeps part steps: a sell volume may be an odd
// number of shares); while the user types, the text is left as typed.
class CPriceHSpinEdit : public QWidget, public Win::MessageWindow {
    Q_OBJECT
public:
    explicit CPriceHSpinEdit(QWidget* parent = nullptr);

    void SetValue(double value);
    double Value() const { return m_value; }
    void SetStep(double step) { m_step = step; }
    double Step() const { return m_step; }
    void SetAllowNegative(bool allow) { m_allowNegative = allow; }
    // Whether values are cut to whole steps (the default); the buttons step either way.
    void SetWholeSteps(bool whole) { m_wholeSteps = whole; }
    // "%d" for whole numbers, "%.2f" for two decimals.
    void SetFormat(const QString& format);
    const QString& Format() const { return m_format; }
    const std::array<double, 2>& LastValues() const { return m_lastValues; }
    int SelectionIndex() const { return m_selectionIndex; }
    MsgEdit& Edit() { return *m_edit; }

    // One step up (+1) or down (-1), from the larger or the smaller of the last two values.
    void StepBy(int direction);

    Win::LRESULT OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM lParam) override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    enum Button { kNone = -1, kMinus = 0, kPlus = 1 };

    void OnTextChanged(const QString& text);
    QRect ButtonRect(int button) const;
    int ButtonAt(const QPoint& pos) const;
    void SetHover(int button);

    MsgEdit* m_edit;
    double m_value = 0;
    std::array<double, 2> m_lastValues{0, 0};
    double m_step = 1;
    bool m_allowNegative = false;
    bool m_wholeSteps = true;
    QString m_format = QStringLiteral("%d");
    int m_selectionIndex = -1;
    int m_hover = kNone;
    int m_pressed = kNone;
};
