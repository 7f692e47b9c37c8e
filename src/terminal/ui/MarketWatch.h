#pragma once

#include <QWidget>
#include <map>

#include "host/NormalMsgCenter.h"
#include "market/Simulator.h"

class QSortFilterProxyModel;
class QStackedWidget;
class QTabBar;
class QTableView;
class QTimer;

namespace Terminal::Ui {

class OptionChainView;
class QuoteTableModel;

// The quote list of every contract the market lists, by category, kept live, and the option
// T-quote of one underlying and month (the last tab). A click on a row (or an option of the
// T-quote) posts "ListClick" and a double click "ListDblClick" with the contract as "Stock" in
// its text form "(marketId,code)", so that linked tool windows follow the contract.
class MarketWatch : public QWidget {
    Q_OBJECT
public:
    static constexpr int kRefreshMs = 250;
    // The window id and frame the linkage messages name as their sender.
    static inline const char* const kWindowId = "MarketWatch";
    static inline const char* const kFrameId = "MainFrame";

    MarketWatch(const Market::Simulator& market, NormalMsgCenter& messages, QWidget* parent = nullptr);

    QTableView* View() const { return m_view; }
    QuoteTableModel* Model() const { return m_model; }
    OptionChainView* Chain() const { return m_chain; }
    // Shows the option T-quote (of an underlying, when one with options is given).
    void ShowChain(int underlying = -1);
    // The catalogue index of a row of the view (as filtered), -1 when out of range.
    int InstrumentAtRow(int viewRow) const;
    // The view row that shows a contract, -1 when the category hides it.
    int RowOfInstrument(int instrument) const;
    // Selects a contract's row (showing every category if need be) and announces it as a click.
    void Choose(int instrument);

    // What the user arranges: the category tab and the widths of the columns that keep their own
    // (the figures share what is left), each known by its title. A title the list no longer has
    // is passed over; no width goes below the narrowest allowed.
    QString CategoryTitle() const;
    void ShowCategoryTitled(const QString& title);
    std::map<QString, int> ColumnWidths() const;
    void SetColumnWidths(const std::map<QString, int>& widths);
    // The first tab and the columns as they are at start.
    void ArrangeDefault();

private:
    void Announce(const QString& topic, int instrument);
    void ShowCategory(int tab);
    QString ColumnTitle(int column) const;

    NormalMsgCenter& m_messages;
    QuoteTableModel* m_model = nullptr;
    QSortFilterProxyModel* m_filter = nullptr;
    QTabBar* m_tabs = nullptr;
    QTableView* m_view = nullptr;
    OptionChainView* m_chain = nullptr;
    QStackedWidget* m_pages = nullptr;
    QTimer* m_refresh = nullptr;
};

}  // namespace Terminal::Ui
