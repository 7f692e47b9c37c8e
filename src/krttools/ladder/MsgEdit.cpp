#include "ladder/MsgEdit.h"

#include <QKeyEvent>
#include <QRegularExpressionValidator>

MsgEdit::MsgEdit(QWidget* parent) : QLineEdit(parent) {
    setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("-?[0-9]{0,12}(\\.[0-9]{0,9})?")), this));
    setFrame(false);
    setAlignment(Qt::AlignCenter);
}

void MsgEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down) {
        emit stepRequested(event->key() == Qt::Key_Up ? 1 : -1);
        return;
    }
    QLineEdit::keyPressEvent(event);
}
