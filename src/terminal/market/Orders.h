#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace Terminal::Market {

enum class PriceKind : uint8_t { Limit, Market };
// Day: rests until filled or cancelled. FillAndKill: what does not fill at once is cancelled.
// FillOrKill: fills completely at once or is cancelled whole.
enum class TimeCondition : uint8_t { Day, FillAndKill, FillOrKill };
enum class PositionSide : uint8_t { Long, Short };

// Order statuses ("156") as the terminal reports them.
namespace OrderStatus {
inline constexpr char kFilled = '0';        // completely filled
inline constexpr char kPartlyFilled = '1';  // partly filled, the rest works
inline constexpr char kWorking = '2';       // accepted, nothing filled yet
inline constexpr char kCancelled = '4';     // cancelled (possibly after partial fills)
inline constexpr char kRejected = '5';      // refused by the market's checks
inline bool IsWorking(char status) {
    return status == kPartlyFilled || status == kWorking;
}
}  // namespace OrderStatus

// An order as the market receives it.
struct OrderTicket {
    std::string accountId;  // EAccountID
    int instrument = -1;
    // The terminal's direction code: '0' buy, '1' sell; credit accounts also 'a' financed buy,
    // 'b' short sale, 'c' buy to cover, 'd' sell to repay, 'g'/'h' collateral buy/sell.
    char direction = '0';
    // '0' open, '1' or '6' close (yesterday's first), '2' close today. Securities ignore it:
    // their direction says whether a position opens or closes.
    char offset = '0';
    char hedge = '1';
    char covered = '0';
    PriceKind priceKind = PriceKind::Limit;
    int64_t price = 0;  // limit price, price units
    int64_t volume = 0;
    TimeCondition condition = TimeCondition::Day;
    std::string smartOrderId;  // the engine's smart order this order belongs to
    // Further numbered fields as the client sent them ("40", "41", "119" ...), echoed in the
    // order record.
    std::vector<std::pair<std::string, std::string>> fields;
};

struct OrderView {
    std::string id;               // "OrderID"
    std::string exchangeOrderId;  // "65"
    OrderTicket ticket;
    int64_t filled = 0;
    double fillValue = 0;  // Σ price units × volume of the fills
    char status = OrderStatus::kWorking;
    std::string statusText;
    std::string rejectReason;
    uint64_t sequence = 0;
    uint32_t time = 0;  // hhmmss of insertion

    int64_t Remaining() const { return ticket.volume - filled; }
    double AverageFillUnits() const { return filled > 0 ? fillValue / double(filled) : 0.0; }
};

struct PositionView {
    std::string accountId;
    int instrument = -1;
    PositionSide side = PositionSide::Long;
    char hedge = '1';
    bool covered = false;  // "125" '1': a covered call of a stock-option account
    int64_t total = 0;     // "135"
    int64_t today = 0;
    int64_t history = 0;
    int64_t closable = 0;       // "137": not held by working close orders (securities: yesterday's only)
    int64_t closableToday = 0;  // "742": the closable part opened today
    double averagePrice = 0;    // "136", real price
    double lastPrice = 0;       // "138"
    double floatingProfit = 0;  // "141"
    double margin = 0;
    int64_t lockedShares = 0;  // underlying shares a covered position locks
};

struct MoneyView {
    std::string accountId;
    double preBalance = 0;
    double cash = 0;          // "110"
    double available = 0;     // "93"
    double withdrawable = 0;  // "95"
    double totalAsset = 0;    // "97"
    double margin = 0;        // "346"
    double riskDegree = 0;    // "345", percent
    double frozen = 0;
    double commission = 0;
    double closeProfit = 0;
    double positionProfit = 0;
    double financed = 0;           // debt of financed buys (credit accounts)
    double creditAvailable = 0;    // credit line still available (credit accounts)
    std::string currency = "CNY";  // "56"
};

}  // namespace Terminal::Market
