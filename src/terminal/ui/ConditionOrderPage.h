#pragma once

#include <json/value.h>

#include <QDialog>

#include "market/Simulator.h"

class QComboBox;
class QDoubleSpinBox;
class QTableWidget;

namespace Terminal::Ui {

// The conditional order page: the parameters a component handed the terminal for a conditional
// order, shown as they came (nested members by their path), and the condition that sends it (the
// last price at or above, or at or below, a level: the request's own "Trigger" or, without one,
// the contract's latest price and the direction's usual comparison), to be confirmed or refused.
class ConditionOrderPage : public QDialog {
    Q_OBJECT
public:
    ConditionOrderPage(const QString& function, const Json::Value& params, const Market::Simulator& market,
                       QWidget* owner);

    QTableWidget* Parameters() const { return m_parameters; }
    QComboBox* Comparison() const { return m_comparison; }
    QDoubleSpinBox* Level() const { return m_level; }
    // The request's "Trigger" as the page sets it.
    Json::Value Trigger() const;

    // Runs the page modally (through the control library's modal runner); true when confirmed, the
    // page's trigger then written into params.
    static bool Ask(const QString& function, Json::Value& params, const Market::Simulator& market,
                    QWidget* owner);

private:
    void AddRow(const QString& name, const Json::Value& value);

    Json::Value m_trigger;  // members of the request's trigger the page does not show
    QTableWidget* m_parameters = nullptr;
    QComboBox* m_comparison = nullptr;
    QDoubleSpinBox* m_level = nullptr;
};

}  // namespace Terminal::Ui
