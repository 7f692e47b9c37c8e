#pragma once

#include <json/value.h>

#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "ladder/CellTextTable.h"
#include "ladder/LadderLayout.h"
#include "ladder/LadderTypes.h"
#include "ladder/WorkingOrderGroups.h"

// Everything a price ladder knows, without pixels: the price rows, the last price, the best
// quote, the working-order groups, the position markers and the hover. It writes the texts
// the ladder shows into the list's text table and records which rows each change made stale,
// so the view repaints those rows and nothing else.
//
// The rows follow a layout (LadderLayout): one tick a row unless the owner sets another, as the
// option ladder does for its step modes. Every price the owner pushes (last price, quote,
// levels, orders, positions) is placed by the layout's rule, so a price between two rows (an
// order on a ten-tick ladder) shows on the row of the highest row price not above it.
class LadderModel {
public:
    static constexpr double kPriceEpsilon = 1e-8;

    // The texts live in the list control that shows them; the model only writes them.
    explicit LadderModel(CellTextTable& texts);

    void SetColumns(const LadderColumns& columns) { m_columns = columns; }
    const LadderColumns& Columns() const { return m_columns; }

    // Resets the model and lays out the rows of a contract in the current layout; answers the
    // row count or -1 (the ladder is then empty).
    int Build(const QString& contractCode, int decimals, double lower, double reference, double tick,
              double upper);
    // Lays the contract's rows out again in another layout, which also holds for later builds.
    // Like Build it resets everything pushed since, which the owner then pushes again (the
    // quote with its levels, the working orders, the positions); the same layout again changes
    // nothing. Answers the row count or -1 as Build does.
    int SetLayout(const LadderLayout& layout);
    const LadderLayout& Layout() const { return m_layout; }
    const QString& ContractCode() const { return m_contractCode; }
    const LadderRowScale& Scale() const { return *m_scale; }
    int RowCount() const { return m_scale->RowCount(); }
    const QString& PriceText(int row) const { return m_texts.Text(row, m_columns.price); }

    // A price outside the ladder leaves no row marked.
    void SetLastPrice(double price);
    double LastPrice() const { return m_lastPrice; }
    int LastPriceRow() const { return m_lastPriceRow; }

    void SetBestQuote(const LadderBestQuote& quote);
    void ClearBestQuote();
    const LadderBestQuote& BestQuote() const { return m_quote; }
    int AskRow() const { return m_askRow; }
    int BidRow() const { return m_bidRow; }
    // The rows that show the day's high and low; -1 while the price is off the ladder.
    int HighRow() const { return m_highRow; }
    int LowRow() const { return m_lowRow; }
    // Inside the day's range, high and low rows included; a high or low beyond the ladder's ends
    // counts as its first or last row.
    bool IsInDayRange(int row) const {
        return row >= m_rangeFirst && row <= m_rangeLast && m_rangeFirst >= 0;
    }

    // False when the order is ignored: outside the ladder, or refused by the groups.
    bool AddOrder(const LadderOrder& order);
    void RemoveGroup(int index);
    void ClearOrders();
    const WorkingOrderGroups& Groups() const { return m_groups; }

    // Position records carry "112" (direction "0" long, "1" short), "136" (price) and
    // "NowPrice" (the current price). Records without a known direction or whose price
    // lies outside the ladder get no marker.
    void SetPositions(std::vector<Json::Value> positions);
    const std::vector<Json::Value>& Positions() const { return m_positions; }
    // Markers sorted by row then side.
    const std::vector<PositionMark>& PositionMarks() const { return m_marks; }
    // Appends the tones of the markers of one side at one row.
    void MarksAt(int row, int side, std::vector<PositionMark::Tone>& tones) const;

    void SetHover(const LadderHover& hover);
    const LadderHover& Hover() const { return m_hover; }
    // The order column whose header icon the pointer is over, -1 when none.
    void SetHeaderHover(int column);
    int HeaderHover() const { return m_headerHover; }

    // The row to scroll to the top so the last price sits mid-page, or nothing while it lies at
    // least five rows inside both edges of the page [top, top + perPage).
    static std::optional<int> CentringTop(int lastPriceRow, int top, int perPage);

    // What changed since the last call; the view repaints it.
    LadderChanges TakeChanges();

private:
    // Resets what was pushed and writes the rows of the current layout.
    int LayRows();
    void ShowBestVolume(int column, int oldRow, int newRow, int volume);
    void ShowGroup(const OrderGroup& group);
    void ShowSideTotal(int side);
    std::vector<PositionMark> MarksOf(const std::vector<Json::Value>& positions) const;

    CellTextTable& m_texts;
    LadderColumns m_columns;
    LadderTickGrid m_grid;
    LadderLayout m_layout;
    std::unique_ptr<LadderRowScale> m_scale;
    QString m_contractCode;
    double m_lastPrice = 0;
    int m_lastPriceRow = -1;
    LadderBestQuote m_quote;
    int m_askRow = -1;
    int m_bidRow = -1;
    int m_highRow = -1;
    int m_lowRow = -1;
    int m_rangeFirst = -1;
    int m_rangeLast = -1;
    WorkingOrderGroups m_groups;
    std::vector<Json::Value> m_positions;
    std::vector<PositionMark> m_marks;
    LadderHover m_hover;
    int m_headerHover = -1;
    LadderChanges m_changes;
};
