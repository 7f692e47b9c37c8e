#pragma once

#include <QString>

class QWidget;

namespace Win {

// The text of a dialog's control by its identifier: an edit, a label or a button. Empty when
// the dialog has no such control; setting the text of a missing control does nothing.
QString GetDlgItemText(const QWidget* dialog, int id);
void SetDlgItemText(QWidget* dialog, int id, const QString& text);

// A number typed into a field, read as the dialogs always read their fields with the C
// run-time's conversions: surrounding blanks are ignored and text that is not a number reads
// as 0; an integer field holding a decimal ("12.5") reads as its whole part, and one beyond the
// integers as the nearest of INT_MIN and INT_MAX.
double TextToDouble(const QString& text);
int TextToInt(const QString& text);

}  // namespace Win
