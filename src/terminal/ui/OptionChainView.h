#pragma once

#include <QWidget>
#include <vector>

#include "market/Simulator.h"

class QComboBox;
class QLabel;
class QTableView;
class QTimer;

namespace Terminal::Ui {

class OptionChainModel;

// The market watch's option T-quote: an underlying and one of its months chosen above, the calls
// | strike | puts of that month below, kept live. A click on an option says which one.
class OptionChainView : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRefreshMs = 250;

    explicit OptionChainView(const Market::Simulator& market, QWidget* parent = nullptr);

    OptionChainModel* Model() const { return m_model; }
    QTableView* View() const { return m_view; }
    // Shows an underlying's chain (its nearest month); false when it has no options.
    bool ShowUnderlying(int underlying);

signals:
    void OptionClicked(int option);
    void OptionDoubleClicked(int option);

private:
    void FillUnderlyings();
    void FillMonths();
    void ShowMonth();
    void RefreshQuotes();

    const Market::Simulator& m_market;
    OptionChainModel* m_model = nullptr;
    QComboBox* m_underlyings = nullptr;
    QComboBox* m_months = nullptr;
    QLabel* m_underlyingQuote = nullptr;
    QTableView* m_view = nullptr;
    QTimer* m_refresh = nullptr;
    std::vector<int> m_listedUnderlyings;  // as the underlying box lists them
};

}  // namespace Terminal::Ui
