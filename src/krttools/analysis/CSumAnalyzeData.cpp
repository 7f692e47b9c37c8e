#include "analysis/CSumAnalyzeData.h"

#include "kora/interface/FieldIds.h"

CSumAnalyzeData::CSumAnalyzeData(UnderlyingParameters& parameters, QObject* window,
                                 CPositionAnalyzeData& real, CPositionAnalyzeData& simulated)
    : CPositionAnalyzeData(parameters, window), m_real(real), m_simulated(simulated) {}

void CSumAnalyzeData::Sum(const Kora::Interface::QuoteKey& underlying, RiskCurves::Axis axis) {
    auto guard = Lock();
    const Json::Value real = m_real.Total();
    const Json::Value simulated = m_simulated.Total();
    PositionRecord::Figures sums{};
    for (int greek = 0; greek < PositionRecord::kGreekCount; ++greek) {
        const char* key = PositionRecord::GreekKey(PositionRecord::Greek(greek));
        sums[greek] = PositionRecord::Number(real, key) + PositionRecord::Number(simulated, key);
    }
    m_total = Json::Value(Json::objectValue);
    m_total[Field::kContractName] = PositionRecord::kTotalName;
    PositionRecord::Store(m_total, sums, "");
    m_real.BuildCurves(underlying, axis);
    m_simulated.BuildCurves(underlying, axis);
    PostToWindow(1);
}

RiskCurves::Line CSumAnalyzeData::Line(RiskCurves::Axis axis, PositionRecord::Greek greek) const {
    return RiskCurves::Merge(m_real.Curve(axis), m_simulated.Curve(axis), greek);
}
