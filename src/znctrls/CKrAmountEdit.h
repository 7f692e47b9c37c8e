#pragma once

#include <QLineEdit>

// An amount edit: takes digits, one decimal point and a leading minus, and turns the Up and Down
// keys into steps of the spin edit around it.
class CKrAmountEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CKrAmountEdit(QWidget* parent = nullptr);

    // Whole numbers only: digits, no decimal point, no minus.
    void SetWholeNumbers(bool whole);

signals:
    // +1 for Up, -1 for Down.
    void stepRequested(int direction);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
