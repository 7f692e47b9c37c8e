#include "platform/ControlId.h"

#include <QVariant>

namespace Win {

namespace {
constexpr const char* kIdProperty = "controlId";
}

void SetControlId(QWidget* control, int id) {
    control->setProperty(kIdProperty, id);
    control->setObjectName(QString::number(id));
}

int ControlId(const QObject* control) {
    QVariant id = control ? control->property(kIdProperty) : QVariant();
    return id.isValid() ? id.toInt() : -1;
}

QWidget* FindControlWidget(const QWidget* dialog, int id) {
    if (!dialog) {
        return nullptr;
    }
    return dialog->findChild<QWidget*>(QString::number(id));
}

}  // namespace Win
