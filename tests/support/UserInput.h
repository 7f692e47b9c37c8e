#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

// What a user does to a control, for the tests that drive a tool's controls rather than its code.

// Picks a combo box's item: the selection changes and the box says it was activated.
inline void ChooseItem(QComboBox& combo, int index) {
    combo.setCurrentIndex(index);
    emit combo.activated(index);
}

// Types over an edit's whole text, key by key.
inline void TypeOver(QLineEdit& edit, const QString& text) {
    edit.selectAll();
    QTest::keyClicks(&edit, text);
}
