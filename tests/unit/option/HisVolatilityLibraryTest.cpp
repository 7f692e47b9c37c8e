#include "hisvol/HisVolatility.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

#include "kernel/ServiceInterface.h"

using Kora::Interface::BaseQuoteDataSvcI;
using Kora::Interface::QuoteKey;
using Kora::Utility::Handle;

namespace {

// Daily history of one contract, as the host's base quote data service hands it out. Only the
// history matters here; the host stand-in cannot be scripted to a chosen close series yet.
class DailyHistory : public Kora::Kernel::ServiceInterface, public BaseQuoteDataSvcI {
public:
    DailyHistory() : ServiceInterface(BaseQuoteDataSvcI::ServiceName(), 1, {}) {}

    bool GetContractInfo(const QuoteKey&, Kora::Interface::ContractInfo&) override { return false; }
    bool GetSnapshot(const QuoteKey&, Kora::Interface::QuoteSnapshot&) override { return false; }
    bool GetHistory(const QuoteKey& key, const QString& kind, Json::Value& history) override {
        if (key.code != QStringLiteral("rb2410") || kind != QStringLiteral("KLine_Day") || !m_held) {
            return false;
        }
        history = m_bars;
        return true;
    }
    QuoteKey FindKey(const QString&, const QString&) override { return {}; }
    std::vector<QuoteKey> EnumContracts() override { return {}; }

    // Only the close: a library that read another price would find none.
    void AddBar(const Json::Value& close) {
        Json::Value bar(Json::objectValue);
        bar["Close"] = close;
        m_bars.append(bar);
    }
    void AddCloses(std::initializer_list<double> closes) {
        for (double close : closes) {
            AddBar(close);
        }
    }
    void HoldNothing() { m_held = false; }

private:
    Json::Value m_bars{Json::arrayValue};
    bool m_held = true;
};

class HisVolatilityLibrary : public ::testing::Test {
protected:
    HisVolatilityLibrary() { m_key.marketId = 3, m_key.code = QStringLiteral("rb2410"); }

    double Calc(double fallback = -1.0) { return C_CalcHisVolatility(m_service, &m_key, fallback); }

    Handle<DailyHistory> m_service = Kora::Utility::MakeHandle<DailyHistory>();
    QuoteKey m_key;
};

const double kAnnualisation = std::sqrt(252.0);

}  // namespace

// Closes swinging between 100 and 110 give returns of ±ln 1.1 about a zero mean.
TEST_F(HisVolatilityLibrary, AnnualisesTheSpreadOfTheLastTwentyReturns) {
    m_service->AddCloses({5, 500, 1, 90});  // older than the window: must not count
    for (int i = 0; i < 10; ++i) {
        m_service->AddCloses({100, 110});
    }
    m_service->AddBar(100);
    EXPECT_NEAR(Calc(), std::log(1.1) * kAnnualisation, 1e-12);
}

TEST_F(HisVolatilityLibrary, BarsWithoutAUsableCloseAreSkipped) {
    m_service->AddCloses({100, 110});
    m_service->AddBar(Json::Value("n/a"));
    m_service->AddBar(Json::Value());
    m_service->AddCloses({0, -3});
    m_service->AddCloses({100, 110, 100});
    EXPECT_NEAR(Calc(), std::log(1.1) * kAnnualisation, 1e-12);
}

// Returns 0.1 and 0.3 spread by 0.1 about their mean 0.2, whatever the mean's size.
TEST_F(HisVolatilityLibrary, ShortHistoriesUseEveryReturnAboutTheirMean) {
    m_service->AddCloses({100, 100 * std::exp(0.1), 100 * std::exp(0.4)});
    EXPECT_NEAR(Calc(), 0.1 * kAnnualisation, 1e-12);
}

TEST_F(HisVolatilityLibrary, AnswersTheDefaultWithoutTwoClosesServiceKeyOrHistory) {
    EXPECT_EQ(Calc(0.3), 0.3);
    m_service->AddBar(100);
    EXPECT_EQ(Calc(0.3), 0.3);
    m_service->AddBar(Json::Value("bad"));
    EXPECT_EQ(Calc(0.3), 0.3);
    m_service->AddBar(104);
    EXPECT_EQ(Calc(0.3), 0.0);  // one return: no spread yet

    m_service->AddCloses({110, 100});
    EXPECT_EQ(C_CalcHisVolatility(Handle<BaseQuoteDataSvcI>(), &m_key, 0.3), 0.3);
    EXPECT_EQ(C_CalcHisVolatility(m_service, nullptr, 0.3), 0.3);

    QuoteKey other;
    other.code = QStringLiteral("ag2412");
    EXPECT_EQ(C_CalcHisVolatility(m_service, &other, 0.3), 0.3);

    m_service->HoldNothing();
    EXPECT_EQ(Calc(0.3), 0.3);
}
