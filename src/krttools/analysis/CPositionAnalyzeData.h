#pragma once

#include <json/value.h>

#include <QPointer>
#include <QString>
#include <QStringList>
#include <map>
#include <mutex>
#include <vector>

#include "analysis/RiskCurves.h"
#include "analysis/UnderlyingParameters.h"
#include "kora/interface/QuoteKey.h"
#include "platform/WinMessage.h"

class QObject;

// One set of positions of the risk analysis: the account's positions, or those the user adds by
// hand. Each position is a record of text values (PositionRecord.h); option positions carry
// their option's terms, their group (the series name up to its first "|") and two sets of
// figures: valued in the position's own market "Param" (the first set it was valued in, "_o"
// keys) and in its underlying's current market (plain keys). The set keeps the total row over
// its checked positions and, per sweep axis, the curves of their summed Greeks.
//
// Market parameters come from the underlying's set in `parameters`. Every change ends with
// message 5151 to the window: WPARAM the row count, LPARAM the set.
//
// Every public operation holds the set's recursive lock, so a nested call on the same thread
// goes through and another thread waits; Lock() holds it across several reads. Host reads go
// through the component's service accessors: call those on the user-interface thread.
class CPositionAnalyzeData {
public:
    static constexpr Win::UINT kRevaluedMessage = 5151;

    CPositionAnalyzeData(UnderlyingParameters& parameters, QObject* window);
    virtual ~CPositionAnalyzeData();
    CPositionAnalyzeData(const CPositionAnalyzeData&) = delete;
    CPositionAnalyzeData& operator=(const CPositionAnalyzeData&) = delete;

    std::unique_lock<std::recursive_mutex> Lock() const;

    // The account's positions from the engine's position query, each filled in from the host
    // (name, direction text, latest price, floating P&L, option terms, group) and valued.
    // Positions start checked. Without an engine (or an account) the set is empty.
    void LoadAccountPositions(const Json::Value& account);
    // A position of one lot bought, for a listed option; nothing for a contract the base quote
    // data service does not know.
    void AddPosition(const Kora::Interface::QuoteKey& option);
    // Positions given whole (records with their option terms already in them), valued as they
    // are; for scripts and checks.
    void SetRecords(const Json::Value& records);
    void Clear();
    // Removes positions by row of the chosen group; the total row and unknown rows are ignored.
    void RemoveRows(std::vector<int> rows);

    // Revalues every position on the underlying: its latest price and P&L from the host, then
    // its figures (a position whose market has no underlying price is left as it was); then the
    // total row. Posts 5151.
    void UpdateUnderlying(const Kora::Interface::QuoteKey& underlying);
    // Revalues the checked positions (a tick or a market changed), then the total row. Posts 5151.
    void RevalueSelected();
    // Sets a field of a row (quantity, direction ...) and revalues that position and the total
    // row. Posts 5151. False for the total row or an unknown row.
    bool SetField(int row, const char* key, const QString& value);
    void RebuildTotal();
    // The curves of the checked positions over an axis, in the underlying's market.
    void BuildCurves(const Kora::Interface::QuoteKey& underlying, RiskCurves::Axis axis);
    // Posts 5151 with the row count.
    void NotifyWindow() const;

    // Groups in the order first met; the chosen one (empty: all positions).
    QStringList Groups() const;
    void ChooseGroup(const QString& group);
    QString ChosenGroup() const;
    // The underlying of a group's first position; invalid when none.
    Kora::Interface::QuoteKey GroupUnderlying(const QString& group) const;
    // Distinct underlyings and option contracts of the positions, in the order first met.
    std::vector<Kora::Interface::QuoteKey> Underlyings() const;
    std::vector<Kora::Interface::QuoteKey> Contracts() const;

    // Rows of the chosen group, then the total row when the group has positions; 0 for a group
    // the set does not have.
    int RowCount() const;
    bool IsTotalRow(int row) const;
    // A row's record (the total row's for the last), null for an unknown row.
    Json::Value Record(int row) const;
    // The text of a key in a row, as the lists show it.
    QString Text(int row, const char* key) const;
    Json::Value Total() const;
    RiskCurves::Curve Curve(RiskCurves::Axis axis) const;

protected:
    void PostToWindow(Win::WPARAM wParam) const;
    Json::Value m_total;

private:
    void FillFromHost(Json::Value& record);
    void Revalue(Json::Value& record);
    void RebuildGroups();
    // Index into m_records of a row of the chosen group; -1 for the total row or beyond.
    int RecordIndex(int row) const;
    const std::vector<int>* ChosenRows() const;

    mutable std::recursive_mutex m_lock;
    UnderlyingParameters& m_parameters;
    std::map<int, RiskCurves::Curve> m_curves;
    QPointer<QObject> m_window;
    Json::Value m_records{Json::arrayValue};
    std::vector<int> m_allRows;
    std::map<QString, std::vector<int>> m_groups;
    QStringList m_groupOrder;
    QString m_chosenGroup;
};
