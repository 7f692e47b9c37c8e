#include "ladder/CListEdit.h"

#include <QApplication>
#include <QKeyEvent>
#include <QRegularExpressionValidator>

#include "ladder/QuickMouseMessages.h"

CListEdit::CListEdit(QWidget* parent, std::function<QObject*()> target)
    : QLineEdit(parent), m_target(std::move(target)) {
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,9}")), this));
    setAlignment(Qt::AlignCenter);
    setFrame(false);
    setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid #3A7BD5; background: white; }"));
    hide();
}

void CListEdit::Open(const QRect& rect, const std::vector<QString>& orderIds, const QString& text,
                     std::function<void()> doubleClicked) {
    m_orderIds = orderIds;
    m_doubleClicked = std::move(doubleClicked);
    m_opened.start();
    m_open = true;
    setGeometry(rect);
    setText(text);
    show();
    raise();
    setFocus(Qt::OtherFocusReason);
    end(false);
}

void CListEdit::Commit() {
    if (!m_open) {
        return;
    }
    // Cleared first: hiding a focused editor takes its focus, which would commit again.
    m_open = false;
    hide();
    if (text().isEmpty()) {
        return;
    }
    Win::PostMessage(m_target ? m_target() : nullptr, QuickMouseMsg::kChangeVolume,
                     Win::MakePayload(m_orderIds), Win::MakePayload(text()));
}

void CListEdit::Dismiss() {
    m_open = false;
    hide();
}

void CListEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    Commit();
}

void CListEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        Commit();
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        Dismiss();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CListEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    if (m_open && m_doubleClicked && m_opened.elapsed() <= QApplication::doubleClickInterval()) {
        Dismiss();
        m_doubleClicked();
        return;
    }
    QLineEdit::mouseDoubleClickEvent(event);
}
