#pragma once

#include <QPixmap>
#include <QWidget>
#include <array>

#include "platform/WinMessage.h"

class CKrAmountEdit;

// A number edit between a minus and a plus button. The value is normalised to whole steps
// (SpinValue::Normalise) whenever it is set, stepped, or the edit is left, unless the edit keeps
// part steps (a sell volume may be an odd number of shares); while the user types,
// the text is left as typed and remembered as the last value. The wheel, the buttons and the Up
// and Down keys step from the last values: up from the larger, down from the smaller.
//
// The owner (the parent unless set) hears of changes made by the user: kValueTyped for each text
// typed, kValueStepped for each step, both sent with WPARAM = the spin edit. A value set by the
// program is not told.
class CKrPriceHSpinEdit : public QWidget, public Win::MessageWindow {
    Q_OBJECT
public:
    static constexpr Win::UINT kValueTyped = 1126;
    static constexpr Win::UINT kValueStepped = 1127;

    explicit CKrPriceHSpinEdit(QWidget* parent = nullptr);

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
    void SetOwner(QObject* owner) { m_owner = owner; }
    CKrAmountEdit& Edit() { return *m_edit; }

    // One step up (+1) or down (-1), from the larger or the smaller of the last two values.
    void StepBy(int direction);
    // The larger (+1) or the smaller (-1) of the last two values becomes the value.
    void TakeLastValue(int which);

    QSize sizeHint() const override;

protected:
    enum Button { kNone = -1, kMinus = 0, kPlus = 1 };
    enum class Change { kTyped, kStepped, kSet };

    // Tells the parent of a text change (see the class comment).
    virtual void ReportChange(Change change);
    // The picture of a button; a null pixmap draws the plain control-library button.
    virtual QPixmap ButtonPixmap(Button button, bool hover, bool pressed) const { return {}; }

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void ShowValue(double value, Change change);
    void OnTextChanged(const QString& text);
    QRect ButtonRect(int button) const;
    int ButtonAt(const QPoint& pos) const;
    void SetHover(int button);
    void DrawPlainButton(QPainter& painter, int button) const;

    CKrAmountEdit* m_edit;
    QObject* m_owner = nullptr;
    double m_value = 0;
    std::array<double, 2> m_lastValues{0, 0};
    double m_step = 1;
    bool m_allowNegative = false;
    bool m_wholeSteps = true;
    QString m_format = QStringLiteral("%d");
    // What the next text change of the inner edit comes from.
    Change m_changing = Change::kTyped;
    int m_hover = kNone;
    int m_pressed = kNone;
};
