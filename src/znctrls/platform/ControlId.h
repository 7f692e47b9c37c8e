#pragma once

#include <QWidget>

namespace Win {

// Controls carry the numeric identifier of their dialog template, so dialogs and tests find
// them by number as the tools' designs name them.
void SetControlId(QWidget* control, int id);
int ControlId(const QObject* control);  // -1 when none

QWidget* FindControlWidget(const QWidget* dialog, int id);

// Gives a new control its identifier and answers it:
//   auto* apply = Win::WithControlId(new QPushButton(QStringLiteral("应用"), this), 11026);
template <class T>
T* WithControlId(T* control, int id) {
    SetControlId(control, id);
    return control;
}

template <class T = QWidget>
T* FindControl(const QWidget* dialog, int id) {
    return qobject_cast<T*>(FindControlWidget(dialog, id));
}

}  // namespace Win
