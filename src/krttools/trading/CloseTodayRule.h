#pragma once

#include <QChar>
#include <QString>
#include <cstdint>
#include <vector>

// Some exchanges (SHFE, INE) close the positions opened today with their own offset flag
// ("平今", '2') and charge them differently; the others close every position with '1'.
namespace CloseTodayRule {

bool ClosesTodayApart(const QString& exchange);

struct ClosingLeg {
    QChar offset;
    int64_t volume = 0;
};

// The legs that close `volume` lots of a position of which `todayVolume` were opened today:
// on an exchange that tells them apart, today's lots first (they are the ones just opened),
// then the rest; elsewhere one leg. Legs of no lots are left out.
std::vector<ClosingLeg> Split(const QString& exchange, int64_t volume, int64_t todayVolume);

}  // namespace CloseTodayRule
