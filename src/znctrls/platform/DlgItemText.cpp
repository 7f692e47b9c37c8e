#include "platform/DlgItemText.h"

#include <QVariant>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/ControlId.h"

namespace Win {

QString GetDlgItemText(const QWidget* dialog, int id) {
    const QWidget* control = FindControlWidget(dialog, id);
    return control ? control->property("text").toString() : QString();
}

void SetDlgItemText(QWidget* dialog, int id, const QString& text) {
    if (QWidget* control = FindControlWidget(dialog, id)) {
        control->setProperty("text", text);
    }
}

double TextToDouble(const QString& text) {
    return text.trimmed().toDouble();
}

int TextToInt(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (ok) {
        return value;
    }
    // Beyond the integers a number stops at the nearest end instead of overflowing the cast.
    const double number = TextToDouble(text);
    if (std::isnan(number)) {
        return 0;
    }
    return static_cast<int>(
        std::clamp(number, double(std::numeric_limits<int>::min()), double(std::numeric_limits<int>::max())));
}

}  // namespace Win
