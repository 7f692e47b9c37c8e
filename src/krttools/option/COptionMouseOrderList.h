#pragma once

#include <functional>
#include <vector>

#include "ladder/CMouseOrderList.h"
#include "option/OptionStepModes.h"

// The option ladder: the price ladder in the option colours, laid out in one of the option step
// modes (OptionStepModes). In a zoned mode the quote's best levels and the last price keep rows
// of their own (the middle list), with coarser steps above and below them; the list is made
// again when the contract or the mode changes and when a best bid or ask arrives that it does
// not hold, so every price of the book shows exactly once.
//
// Laying the rows out again resets what the ladder shows: the ladder itself enters the last
// price and the quote again and keeps the price at the top of the page where it was; the owner
// is told (SetRelaidObserver) to push its working orders and positions again. While a mouse
// button is down on the rows (a click or a drag under way) the rows stay as they are and the
// new layout waits for the button's release.
class COptionMouseOrderList : public CMouseOrderList {
    Q_OBJECT
public:
    explicit COptionMouseOrderList(QWidget* parent = nullptr);

    // Lays out a contract's rows in the mode in force, a zoned mode around the quote's levels and
    // the last price that the owner pushes next. Answers the row count or -1 (an empty ladder).
    int Build(const QString& contractCode, int decimals, double lower, double reference, double tick,
              double upper, const LadderBestQuote& quote, double lastPrice);

    // Changes the step mode; the mode in force changes nothing. True when the rows were laid out
    // again.
    bool SetStepMode(const OptionStepModes::StepMode& mode);
    const OptionStepModes::StepMode& StepMode() const { return m_mode; }
    // The prices that keep rows of their own, highest first; empty in a plain mode.
    const std::vector<double>& MiddleList() const { return m_middle; }

    void SetBestQuote(const LadderBestQuote& quote) override;
    // The category under which the configuration keeps the click trigger mode: the window's
    // account's ("个股期权" or "期货"; "期货" until told).
    void SetConfigCategory(const QString& category) { m_configCategory = category; }
    void SetRelaidObserver(std::function<void()> observer) { m_relaid = std::move(observer); }

protected:
    int TriggerMode() const override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void DrawUnselectedRowBackground(QPainter& painter, int row, int column, const QRect& cell) override;
    // Only the price is coloured: red above the reference price, green below it, black within
    // 1e-8 of it, whatever the day's range.
    uint32_t CellTextColour(int row, int column) const override;

private:
    void Relay(const LadderBestQuote& quote, double lastPrice);

    OptionStepModes::StepMode m_mode = OptionStepModes::kChoices[OptionStepModes::kInitialChoice].mode;
    std::vector<double> m_middle;
    std::function<void()> m_relaid;
    QString m_configCategory = QStringLiteral("期货");
    bool m_buttonDown = false;
    bool m_relayWaiting = false;
};
