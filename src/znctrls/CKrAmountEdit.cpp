#include "CKrAmountEdit.h"

#include <QKeyEvent>
#include <QRegularExpressionValidator>

CKrAmountEdit::CKrAmountEdit(QWidget* parent) : QLineEdit(parent) {
    SetWholeNumbers(false);
    setFrame(false);
    setAlignment(Qt::AlignCenter);
}

void CKrAmountEdit::SetWholeNumbers(bool whole) {
    const QString pattern =
        whole ? QStringLiteral("[0-9]{0,12}") : QStringLiteral("-?[0-9]{0,12}(\\.[0-9]{0,9})?");
    delete validator();
    setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), this));
}

void CKrAmountEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        emit stepRequested(event->key() == Qt::Key_Up ? 1 : -1);
        return;
    }
    QLineEdit::keyPressEvent(event);
}
