#pragma once

#include <QLineEdit>

// The inner edit of CPriceHSpinEdit: an amount edit that takes digits, one decimal point and a
// leading minus, and turns the Up and Down keys into steps of its spin edit.
class MsgEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit MsgEdit(QWidget* parent = nullptr);

signals:
    // +1 for Up, -1 for Down.
    void stepRequested(int direction);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
