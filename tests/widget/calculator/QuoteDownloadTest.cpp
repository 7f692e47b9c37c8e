#include <QCoreApplication>

#include "chooser/CDlgDownQuotaData.h"
#include "option/CDlgOptionPriceCalc.h"
#include "support/MiniHost.h"
#include "support/OptionToolFixture.h"

namespace {

using Kora::Interface::QuoteKey;
using Kora::Utility::Handle;
namespace I = Kora::Interface;

// A quote service that takes history requests and never answers: the one thing the simulated
// terminal, which answers every request at once, cannot show.
class SilentQuoteService : public I::QuoteSubscribeSvcI, public MiniHost::ServiceBase {
public:
    SilentQuoteService() : ServiceBase(ServiceName()) {}
    bool RegisterSubscriber(Handle<I::QuoteSubscriberI>) override { return true; }
    bool UnregisterSubscriber(Handle<I::QuoteSubscriberI>) override { return true; }
    bool RequestHistory(Handle<I::QuoteSubscriberI>, const QuoteKey&, const QString&,
                        const Json::Value&) override {
        ++requests;
        return true;
    }
    int requests = 0;
};

class QuoteDownload : public OptionToolFixture {
protected:
    bool Closed(CDlgDownQuotaData& d) { return d.result() == QDialog::Accepted; }
    void Run(CDlgDownQuotaData& d) {
        d.setResult(0);
        d.Create();
        d.show();
    }
};

TEST_F(QuoteDownload, NothingToLoadOrAllAnswersCloseItAtOnceWithoutWaitingForTheLimit) {
    CDlgDownQuotaData empty;
    Run(empty);
    EXPECT_TRUE(WaitUntil([&] { return Closed(empty); }));

    CDlgDownQuotaData d;
    d.contracts = {Option(true, 0), t.Host().KeyOf(t.Host().Instrument("SHSE-A", "510050")),
                   t.Host().KeyOf(t.Host().Instrument("SHSE-A", "600000"))};
    Run(d);
    // 510050 and 600000 are on market 1000, which also needs weighting data.
    EXPECT_TRUE(WaitUntil([&] { return Closed(d); }));
    EXPECT_EQ(d.AwaitedCount(), 0u);
}

TEST_F(QuoteDownload, AMissingAnswerClosesItOnceThreeSecondsHavePassed) {
    t.Host().WithdrawService(I::QuoteSubscribeSvcI::ServiceName());
    Handle<SilentQuoteService> silent(new SilentQuoteService);
    t.Host().Registry().RegisterService(silent);
    CDlgDownQuotaData d;
    d.contracts = {t.Host().KeyOf(t.Host().Instrument("DCE", "m2408"))};
    Run(d);
    EXPECT_EQ(silent->requests, 1);
    QCoreApplication::processEvents();
    EXPECT_FALSE(Closed(d));
    t.Host().AdvanceClock(2900);
    QCoreApplication::processEvents();
    EXPECT_FALSE(Closed(d));
    t.Host().AdvanceClock(200);
    EXPECT_TRUE(WaitUntil([&] { return Closed(d); }));
}

}  // namespace
