#include "analysis/CPositionAnalyzeData.h"

#include <QObject>
#include <algorithm>
#include <cmath>

#include "analysis/PositionHostData.h"
#include "analysis/PositionRecord.h"
#include "kernel/HostAccess.h"
#include "kora/interface/FieldIds.h"
#include "kora/interface/KRTEngineI.h"
#include "kora/utility/JsonAccess.h"

namespace I = Kora::Interface;
using Kora::Utility::JsonWText;
using Kora::Utility::Member;

namespace {

// A market without an underlying price values nothing.
constexpr double kNoPrice = 1e-12;

I::QuoteKey SubjectOf(const Json::Value& record) {
    return I::QuoteKey::FromJson(Member(record, PositionRecord::kSubject));
}

template <class Key>
void AppendOnce(std::vector<I::QuoteKey>& keys, const Key& key) {
    if (key.IsValid() && std::find(keys.begin(), keys.end(), key) == keys.end()) {
        keys.push_back(key);
    }
}

}  // namespace

CPositionAnalyzeData::CPositionAnalyzeData(UnderlyingParameters& parameters, QObject* window)
    : m_parameters(parameters), m_window(window) {
    RebuildTotal();
}

CPositionAnalyzeData::~CPositionAnalyzeData() = default;

std::unique_lock<std::recursive_mutex> CPositionAnalyzeData::Lock() const {
    return std::unique_lock(m_lock);
}

void CPositionAnalyzeData::LoadAccountPositions(const Json::Value& account) {
    auto guard = Lock();
    m_records = Json::Value(Json::arrayValue);
    Kora::Utility::Handle<I::KRTEngineI> engine = Kora::Kernel::GetService<I::KRTEngineI>();
    const Json::Value positions =
        engine && account.isObject() ? engine->GetPositions(account) : Json::Value();
    if (positions.isArray()) {
        for (Json::Value record : positions) {
            if (!record.isObject()) {
                continue;
            }
            if (!record.isMember(PositionRecord::kCheck)) {
                record[PositionRecord::kCheck] = "1";
            }
            PositionHostData::Describe(record);
            Revalue(record);
            m_records.append(std::move(record));
        }
    }
    RebuildGroups();
    RebuildTotal();
    NotifyWindow();
}

void CPositionAnalyzeData::AddPosition(const I::QuoteKey& option) {
    auto guard = Lock();
    Json::Value record = PositionHostData::NewPosition(option);
    if (record.isNull()) {
        return;
    }
    Revalue(record);
    m_records.append(std::move(record));
    RebuildGroups();
    RebuildTotal();
    NotifyWindow();
}

void CPositionAnalyzeData::SetRecords(const Json::Value& records) {
    auto guard = Lock();
    m_records = Json::Value(Json::arrayValue);
    if (records.isArray()) {
        for (Json::Value record : records) {
            if (record.isObject()) {
                Revalue(record);
                m_records.append(std::move(record));
            }
        }
    }
    RebuildGroups();
    RebuildTotal();
    NotifyWindow();
}

void CPositionAnalyzeData::Clear() {
    SetRecords(Json::Value(Json::arrayValue));
}

void CPositionAnalyzeData::RemoveRows(std::vector<int> rows) {
    auto guard = Lock();
    std::vector<int> indices;
    for (int row : rows) {
        if (const int index = RecordIndex(row); index >= 0) {
            indices.push_back(index);
        }
    }
    std::sort(indices.begin(), indices.end(), std::greater<>());
    indices.erase(std::unique(indices.begin(), indices.end()), indices.end());
    for (int index : indices) {
        Json::Value removed;
        m_records.removeIndex(static_cast<Json::ArrayIndex>(index), &removed);
    }
    RebuildGroups();
    RebuildTotal();
    NotifyWindow();
}

void CPositionAnalyzeData::Revalue(Json::Value& record) {
    if (!record.isMember(PositionRecord::kSubject)) {
        return;  // not an option: nothing to value
    }
    const AnalyzeParameters current = m_parameters.GetOrCreate(SubjectOf(record));
    const Json::Value& stored = Member(record, PositionRecord::kParam);
    const bool hasOwn = stored.isObject() && !stored.empty();
    const AnalyzeParameters own = hasOwn ? AnalyzeParameters::FromJson(stored) : current;
    if (std::fabs(own.Bdjg) < kNoPrice) {
        return;
    }
    if (!hasOwn) {
        record[PositionRecord::kParam] = own.ToJson();
    }
    const PositionRecord::Terms terms = PositionRecord::Terms::Read(record);
    PositionRecord::Store(record, PositionRecord::Value(terms, own), PositionRecord::kOwnSuffix);
    // An underlying without a price (no quote yet, a field cleared) would value every option as
    // out of range (Delta 1): the figures in its market stay as they were instead.
    if (std::fabs(current.Bdjg) >= kNoPrice) {
        PositionRecord::Store(record, PositionRecord::Value(terms, current), "");
    }
}

void CPositionAnalyzeData::UpdateUnderlying(const I::QuoteKey& underlying) {
    auto guard = Lock();
    for (Json::Value& record : m_records) {
        if (PositionRecord::IsOn(record, underlying)) {
            PositionHostData::ReadPrices(record);
            Revalue(record);
        }
    }
    RebuildTotal();
    NotifyWindow();
}

void CPositionAnalyzeData::RevalueSelected() {
    auto guard = Lock();
    for (Json::Value& record : m_records) {
        if (PositionRecord::IsChecked(record)) {
            Revalue(record);
        }
    }
    RebuildTotal();
    NotifyWindow();
}

bool CPositionAnalyzeData::SetField(int row, const char* key, const QString& value) {
    auto guard = Lock();
    const int index = RecordIndex(row);
    if (index < 0) {
        return false;
    }
    Json::Value& record = m_records[index];
    record[key] = value.toStdString();
    Revalue(record);
    RebuildTotal();
    NotifyWindow();
    return true;
}

void CPositionAnalyzeData::RebuildTotal() {
    auto guard = Lock();
    PositionRecord::Figures plain{};
    PositionRecord::Figures own{};
    for (const Json::Value& record : m_records) {
        if (!PositionRecord::IsChecked(record)) {
            continue;
        }
        for (int greek = 0; greek < PositionRecord::kGreekCount; ++greek) {
            const std::string key = PositionRecord::GreekKey(PositionRecord::Greek(greek));
            plain[greek] += PositionRecord::Number(record, key.c_str());
            own[greek] += PositionRecord::Number(record, (key + PositionRecord::kOwnSuffix).c_str());
        }
    }
    m_total = Json::Value(Json::objectValue);
    m_total[Field::kContractName] = PositionRecord::kTotalName;
    PositionRecord::Store(m_total, plain, "");
    PositionRecord::Store(m_total, own, PositionRecord::kOwnSuffix);
}

void CPositionAnalyzeData::BuildCurves(const I::QuoteKey& underlying, RiskCurves::Axis axis) {
    auto guard = Lock();
    m_curves[axis] = RiskCurves::Sweep(m_records, underlying, m_parameters.GetOrCreate(underlying), axis);
}

void CPositionAnalyzeData::NotifyWindow() const {
    PostToWindow(static_cast<Win::WPARAM>(RowCount()));
}

void CPositionAnalyzeData::PostToWindow(Win::WPARAM wParam) const {
    if (m_window) {
        Win::PostMessage(m_window, kRevaluedMessage, wParam, reinterpret_cast<Win::LPARAM>(this));
    }
}

void CPositionAnalyzeData::RebuildGroups() {
    m_allRows.clear();
    m_groups.clear();
    m_groupOrder.clear();
    for (Json::ArrayIndex i = 0; i < m_records.size(); ++i) {
        m_allRows.push_back(static_cast<int>(i));
        const QString group = JsonWText(m_records[i], PositionHostData::kGroup);
        if (group.isEmpty()) {
            continue;
        }
        auto [entry, added] = m_groups.try_emplace(group);
        if (added) {
            m_groupOrder.append(group);
        }
        entry->second.push_back(static_cast<int>(i));
    }
}

QStringList CPositionAnalyzeData::Groups() const {
    auto guard = Lock();
    return m_groupOrder;
}

void CPositionAnalyzeData::ChooseGroup(const QString& group) {
    auto guard = Lock();
    m_chosenGroup = group;
}

QString CPositionAnalyzeData::ChosenGroup() const {
    auto guard = Lock();
    return m_chosenGroup;
}

I::QuoteKey CPositionAnalyzeData::GroupUnderlying(const QString& group) const {
    auto guard = Lock();
    const auto found = m_groups.find(group);
    if (found == m_groups.end() || found->second.empty()) {
        return {};
    }
    return SubjectOf(m_records[found->second.front()]);
}

std::vector<I::QuoteKey> CPositionAnalyzeData::Underlyings() const {
    auto guard = Lock();
    std::vector<I::QuoteKey> keys;
    for (const Json::Value& record : m_records) {
        AppendOnce(keys, SubjectOf(record));
    }
    return keys;
}

std::vector<I::QuoteKey> CPositionAnalyzeData::Contracts() const {
    auto guard = Lock();
    std::vector<I::QuoteKey> keys;
    for (const Json::Value& record : m_records) {
        AppendOnce(keys, I::QuoteKey::FromJson(Member(record, PositionRecord::kOption)));
    }
    return keys;
}

const std::vector<int>* CPositionAnalyzeData::ChosenRows() const {
    if (m_chosenGroup.isEmpty()) {
        return &m_allRows;
    }
    const auto found = m_groups.find(m_chosenGroup);
    return found == m_groups.end() ? nullptr : &found->second;
}

int CPositionAnalyzeData::RecordIndex(int row) const {
    const std::vector<int>* rows = ChosenRows();
    if (!rows || row < 0 || row >= static_cast<int>(rows->size())) {
        return -1;
    }
    return (*rows)[static_cast<size_t>(row)];
}

int CPositionAnalyzeData::RowCount() const {
    auto guard = Lock();
    const std::vector<int>* rows = ChosenRows();
    const int positions = rows ? static_cast<int>(rows->size()) : 0;
    return positions >= 1 ? positions + 1 : 0;
}

bool CPositionAnalyzeData::IsTotalRow(int row) const {
    auto guard = Lock();
    const int count = RowCount();
    return count > 0 && row == count - 1;
}

Json::Value CPositionAnalyzeData::Record(int row) const {
    auto guard = Lock();
    if (IsTotalRow(row)) {
        return m_total;
    }
    const int index = RecordIndex(row);
    return index >= 0 ? m_records[index] : Json::Value();
}

QString CPositionAnalyzeData::Text(int row, const char* key) const {
    auto guard = Lock();
    if (IsTotalRow(row)) {
        return JsonWText(m_total, key);
    }
    const int index = RecordIndex(row);
    return index >= 0 ? JsonWText(m_records[index], key) : QString();
}

Json::Value CPositionAnalyzeData::Total() const {
    auto guard = Lock();
    return m_total;
}

RiskCurves::Curve CPositionAnalyzeData::Curve(RiskCurves::Axis axis) const {
    auto guard = Lock();
    const auto found = m_curves.find(axis);
    return found == m_curves.end() ? RiskCurves::Curve() : found->second;
}
