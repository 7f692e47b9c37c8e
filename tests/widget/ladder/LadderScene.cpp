#include "LadderScene.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "ladder/QuickMouseMessages.h"
#include "support/RunLayoutFolder.h"

LadderOwner::LadderOwner() : m_ladder(new CKRMouselist(this)) {
    m_ladder->InsertColumn(0, QStringLiteral("挂单"), 63);
    m_ladder->InsertColumn(1, QStringLiteral("买"), 53);
    m_ladder->InsertColumn(2, QStringLiteral("价格"), 90);
    m_ladder->InsertColumn(3, QStringLiteral("卖"), 53);
    m_ladder->InsertColumn(4, QStringLiteral("挂单"), 63);
    m_ladder->setGeometry(0, 0, 340, 44 + 22 * 24);
    resize(340, 44 + 22 * 24);
}

Win::LRESULT LadderOwner::OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM lParam) {
    Request request;
    request.message = message;
    switch (message) {
        case QuickMouseMsg::kPlaceOrder:
        case QuickMouseMsg::kCancelOrder:
            request.text = *reinterpret_cast<const QString*>(wParam);
            request.direction = lParam;
            break;
        case QuickMouseMsg::kMoveOrder:
            request.text = *reinterpret_cast<const QString*>(wParam);
            request.targetPrice = *reinterpret_cast<const QString*>(lParam);
            break;
        case QuickMouseMsg::kChangeVolume:
            request.ids = *Win::PayloadValue<std::vector<QString>>(wParam);
            request.text = *Win::PayloadValue<QString>(static_cast<Win::WPARAM>(lParam));
            break;
        default:
            return 0;
    }
    requests.push_back(request);
    return 1;
}

std::vector<LadderOwner::Request> LadderOwner::Sent(Win::UINT message) const {
    std::vector<Request> matching;
    std::copy_if(requests.begin(), requests.end(), std::back_inserter(matching),
                 [message](const Request& request) { return request.message == message; });
    return matching;
}

namespace {
[[maybe_unused]] auto* const kRunLayoutFolder = ::testing::AddGlobalTestEnvironment(new RunLayoutFolder);
}  // namespace

namespace LadderScene {

void Populate(CKRMouselist& ladder) {
    ladder.Build(QStringLiteral("rb2501"), 0, 3300, kReference, 1, 3700);
    ladder.SetLastPrice(kLast);
    LadderBestQuote quote;
    quote.askPrice = 3513;
    quote.askVolume = 35;
    quote.bidPrice = 3512;
    quote.bidVolume = 27;
    quote.high = 3530;
    quote.low = 3488;
    const int askVolumes[] = {35, 80, 42, 118, 60};
    const int bidVolumes[] = {27, 64, 90, 51, 33};
    for (int level = 0; level < 5; ++level) {
        quote.askLevels.push_back({3513.0 + level, askVolumes[level]});
        quote.bidLevels.push_back({3512.0 - level, bidVolumes[level]});
    }
    ladder.SetBestQuote(quote);
    ladder.AddWorkingOrder({QStringLiteral("B-1"), 0, 3505, 1});
    ladder.AddWorkingOrder({QStringLiteral("B-2"), 0, 3505, 2});
    ladder.AddWorkingOrder({QStringLiteral("S-1"), 1, 3518, 5});
    Json::Value position;
    position["112"] = "0";
    position["136"] = "3503";
    position["NowPrice"] = kLast;
    ladder.SetPositions({position});
    ladder.CentreOnLastPrice();
}

int RowOf(const CKRMouselist& ladder, double price) {
    return ladder.Model().Scale().RowOf(price);
}

}  // namespace LadderScene
