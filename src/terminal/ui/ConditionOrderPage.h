#pragma once

#include <json/value.h>

#include <QDialog>

#include "market/Simulator.h"

class QTableWidget;

namespace Terminal::Ui {

// The conditional order page: the parameters a component handed the terminal for a conditional
// order, shown as they came (nested members by their path), to be confirmed or refused.
class ConditionOrderPage : public QDialog {
    Q_OBJECT
public:
    ConditionOrderPage(const QString& function, const Json::Value& params, const Market::Simulator& market,
                       QWidget* owner);

    QTableWidget* Parameters() const { return m_parameters; }

    // Runs the page modally (through the control library's modal runner); true when confirmed.
    static bool Ask(const QString& function, const Json::Value& params, const Market::Simulator& market,
                    QWidget* owner);

private:
    void AddRow(const QString& name, const Json::Value& value);

    QTableWidget* m_parameters = nullptr;
};

}  // namespace Terminal::Ui
