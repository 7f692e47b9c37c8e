// The books: the market's own levels, the accounts' resting orders queued among them, and the
// depth the quote shows.

#include <algorithm>

#include "market/Simulator.h"

namespace Terminal::Market {

namespace {

auto& SideOf(Book& book, bool bids) {
    return bids ? book.bids : book.asks;
}

// The market's volume at a price on one side (0 without a level there).
int64_t VolumeAt(const std::array<BookLevel, 5>& side, int64_t price) {
    for (const BookLevel& level : side) {
        if (level.volume > 0 && level.price == price) {
            return level.volume;
        }
    }
    return 0;
}

void TakeAt(std::array<BookLevel, 5>& side, int64_t price, int64_t volume) {
    for (BookLevel& level : side) {
        if (level.volume > 0 && level.price == price) {
            level.volume -= volume;
            if (level.volume <= 0) {
                level = {};
                Book::Compact(side);
            }
            return;
        }
    }
}

bool Better(bool buys, int64_t a, int64_t b) {
    return buys ? a > b : a < b;
}

}  // namespace

bool Simulator::CrossesBook(const OrderState& order) const {
    const OrderTicket& t = order.view.ticket;
    const Book& book = m_contracts[size_t(t.instrument)].book;
    const bool buy = IsBuyDirection(t.direction);
    const auto& levels = buy ? book.asks : book.bids;
    int64_t available = 0;
    for (const BookLevel& level : levels) {
        if (level.volume <= 0) {
            break;
        }
        const bool within =
            t.priceKind == PriceKind::Market || (buy ? level.price <= t.price : level.price >= t.price);
        if (!within) {
            break;
        }
        available += level.volume;
    }
    return available >= order.view.Remaining();
}

void Simulator::MatchAgainstBook(OrderState& order) {
    const OrderTicket& t = order.view.ticket;
    Book& book = m_contracts[size_t(t.instrument)].book;
    const bool buy = IsBuyDirection(t.direction);
    auto& levels = buy ? book.asks : book.bids;
    while (order.view.Remaining() > 0 && levels[0].volume > 0) {
        const BookLevel best = levels[0];
        if (t.priceKind == PriceKind::Limit && (buy ? best.price > t.price : best.price < t.price)) {
            break;
        }
        const int64_t volume = std::min(order.view.Remaining(), best.volume);
        Book::Consume(levels, volume);
        ApplyFill(order, best.price, volume, true);
    }
}

void Simulator::Rest(int orderIndex) {
    OrderState& order = m_orders[size_t(orderIndex)];
    const OrderTicket& t = order.view.ticket;
    ContractState& contract = m_contracts[size_t(t.instrument)];
    const bool buy = IsBuyDirection(t.direction);
    order.queueAhead = VolumeAt(SideOf(contract.book, buy), t.price);
    contract.resting.push_back(orderIndex);
}

void Simulator::RemoveResting(int instrument, int orderIndex) {
    auto& resting = m_contracts[size_t(instrument)].resting;
    resting.erase(std::remove(resting.begin(), resting.end(), orderIndex), resting.end());
}

std::vector<int> Simulator::RestingByPriority(int instrument, bool buys) const {
    std::vector<int> orders;
    for (int index : m_contracts[size_t(instrument)].resting) {
        if (IsBuyDirection(m_orders[size_t(index)].view.ticket.direction) == buys) {
            orders.push_back(index);
        }
    }
    std::sort(orders.begin(), orders.end(), [this, buys](int a, int b) {
        const OrderView& x = m_orders[size_t(a)].view;
        const OrderView& y = m_orders[size_t(b)].view;
        if (x.ticket.price != y.ticket.price) {
            return Better(buys, x.ticket.price, y.ticket.price);
        }
        return x.sequence < y.sequence;
    });
    return orders;
}

std::vector<int> Simulator::RestingAt(int instrument, bool buys, int64_t price) const {
    std::vector<int> orders;
    for (int index : m_contracts[size_t(instrument)].resting) {
        const OrderView& order = m_orders[size_t(index)].view;
        if (order.ticket.price == price && IsBuyDirection(order.ticket.direction) == buys) {
            orders.push_back(index);
        }
    }
    std::sort(orders.begin(), orders.end(), [this](int a, int b) {
        return m_orders[size_t(a)].view.sequence < m_orders[size_t(b)].view.sequence;
    });
    return orders;
}

void Simulator::FillRestingAgainstBook(int instrument) {
    Book& book = m_contracts[size_t(instrument)].book;
    for (bool buys : {true, false}) {
        auto& levels = SideOf(book, !buys);
        for (int index : RestingByPriority(instrument, buys)) {
            OrderState& order = m_orders[size_t(index)];
            while (order.view.Remaining() > 0 && levels[0].volume > 0 &&
                   (buys ? levels[0].price <= order.view.ticket.price
                         : levels[0].price >= order.view.ticket.price)) {
                const int64_t volume = std::min(order.view.Remaining(), levels[0].volume);
                Book::Consume(levels, volume);
                ApplyFill(order, order.view.ticket.price, volume, false);
            }
            if (order.view.Remaining() == 0) {
                RemoveResting(instrument, index);
            }
        }
    }
}

int64_t Simulator::TradeQueue(int instrument, bool buys, int64_t price, int64_t volume, int64_t& ownFilled) {
    ContractState& contract = m_contracts[size_t(instrument)];
    auto& side = SideOf(contract.book, buys);
    const int64_t marketVolume = VolumeAt(side, price);
    const std::vector<int> queue = RestingAt(instrument, buys, price);
    int64_t left = volume;
    int64_t marketTaken = 0;
    for (int index : queue) {
        OrderState& order = m_orders[size_t(index)];
        const int64_t ahead = std::min(left, std::max<int64_t>(0, order.queueAhead - marketTaken));
        left -= ahead;
        marketTaken += ahead;
        if (left == 0) {
            break;
        }
        const int64_t fill = std::min(left, order.view.Remaining());
        left -= fill;
        ownFilled += fill;
        ApplyFill(order, price, fill, false, false);
        if (order.view.Remaining() == 0) {
            RemoveResting(instrument, index);
        }
    }
    // The market's volume behind the accounts' orders trades with what is left.
    const int64_t behind = std::min(left, std::max<int64_t>(0, marketVolume - marketTaken));
    marketTaken += behind;
    left -= behind;
    for (int index : queue) {
        int64_t& ahead = m_orders[size_t(index)].queueAhead;
        ahead = std::max<int64_t>(0, ahead - marketTaken);
    }
    if (marketTaken > 0) {
        TakeAt(side, price, std::min(marketTaken, marketVolume));
    }
    return volume - left;
}

Simulator::Sweep Simulator::SweepDepth(int instrument, bool buyAggressor, int64_t volume) {
    // A buyer takes the offers: the market's asks and the accounts' resting sells, lowest first.
    const bool restingBuys = !buyAggressor;
    Sweep sweep;
    while (sweep.volume < volume) {
        const Book& book = m_contracts[size_t(instrument)].book;
        const auto& levels = restingBuys ? book.bids : book.asks;
        int64_t best = levels[0].volume > 0 ? levels[0].price : 0;
        for (int index : RestingByPriority(instrument, restingBuys)) {
            const int64_t price = m_orders[size_t(index)].view.ticket.price;
            if (best == 0 || Better(restingBuys, price, best)) {
                best = price;
            }
            break;
        }
        if (best == 0) {
            break;
        }
        const int64_t traded =
            TradeQueue(instrument, restingBuys, best, volume - sweep.volume, sweep.ownVolume);
        if (traded == 0) {
            break;
        }
        sweep.volume += traded;
        sweep.lastPrice = best;
    }
    return sweep;
}

void Simulator::CapQueues(int instrument) {
    ContractState& contract = m_contracts[size_t(instrument)];
    for (int index : contract.resting) {
        OrderState& order = m_orders[size_t(index)];
        const bool buy = IsBuyDirection(order.view.ticket.direction);
        const auto& side = SideOf(contract.book, buy);
        // Within the market's five levels the queue is at most what rests there now; an order
        // deeper than they reach keeps its place.
        const bool within = std::any_of(side.begin(), side.end(), [&](const BookLevel& level) {
            return level.volume > 0 && !Better(buy, level.price, order.view.ticket.price);
        });
        if (within) {
            order.queueAhead = std::min(order.queueAhead, VolumeAt(side, order.view.ticket.price));
        }
    }
}

void Simulator::SyncBook(int instrument) {
    ContractState& contract = m_contracts[size_t(instrument)];
    Book shown = contract.book;
    for (int index : contract.resting) {
        const OrderView& order = m_orders[size_t(index)].view;
        const bool buys = IsBuyDirection(order.ticket.direction);
        auto& side = SideOf(shown, buys);
        // Merge into the five best prices of the side, dropping the worst when full.
        std::array<BookLevel, 6> merged{};
        size_t n = 0;
        bool placed = false;
        for (const BookLevel& level : side) {
            if (level.volume <= 0) {
                break;
            }
            if (!placed && level.price == order.ticket.price) {
                merged[n++] = {level.price, level.volume + order.Remaining()};
                placed = true;
                continue;
            }
            if (!placed && Better(buys, order.ticket.price, level.price)) {
                merged[n++] = {order.ticket.price, order.Remaining()};
                placed = true;
            }
            merged[n++] = level;
        }
        if (!placed) {
            merged[n++] = {order.ticket.price, order.Remaining()};
        }
        std::copy_n(merged.begin(), side.size(), side.begin());
    }
    for (size_t i = 0; i < shown.bids.size(); ++i) {
        auto& row = contract.snapshot.book[i];
        row.bid.price = int32_t(shown.bids[i].price);
        row.bid.volume = double(shown.bids[i].volume);
        row.ask.price = int32_t(shown.asks[i].price);
        row.ask.volume = double(shown.asks[i].volume);
    }
}

void Simulator::ShapeBook(int instrument, int64_t last) {
    const Instrument& subject = *m_catalogue.At(instrument);
    ContractState& contract = m_contracts[size_t(instrument)];
    const int64_t floor = std::max<int64_t>(contract.snapshot.lowerLimit, subject.tick);
    Book book;
    for (size_t k = 0; k < book.bids.size(); ++k) {
        const int64_t offset = int64_t(k + 1) * subject.tick;
        if (last - offset >= floor) {
            book.bids[k] = {last - offset, RandomLevelVolume(subject)};
        }
        if (last + offset <= contract.snapshot.upperLimit) {
            book.asks[k] = {last + offset, RandomLevelVolume(subject)};
        }
    }
    Book::Compact(book.bids);
    Book::Compact(book.asks);
    contract.book = book;
    SyncBook(instrument);
}

}  // namespace Terminal::Market
