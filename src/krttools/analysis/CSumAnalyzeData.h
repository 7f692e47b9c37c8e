#pragma once

#include "analysis/CPositionAnalyzeData.h"

// The sum over the window's two sets (the account's positions and those added by hand): its
// total row holds the six summed figures of both sets' totals, and it has both sets build their
// curves. Posts 5151 to the window with WPARAM 1 and LPARAM the sum.
class CSumAnalyzeData : public CPositionAnalyzeData {
public:
    CSumAnalyzeData(UnderlyingParameters& parameters, QObject* window, CPositionAnalyzeData& real,
                    CPositionAnalyzeData& simulated);

    // Sums the totals, and builds both sets' curves over the axis in the underlying's market.
    void Sum(const Kora::Interface::QuoteKey& underlying, RiskCurves::Axis axis);
    // One figure of both sets' curves over an axis, added label by label, as the chart draws it.
    RiskCurves::Line Line(RiskCurves::Axis axis, PositionRecord::Greek greek) const;

private:
    CPositionAnalyzeData& m_real;
    CPositionAnalyzeData& m_simulated;
};
