#include "ladder/LadderLayout.h"

#include "ladder/SteppedRowScale.h"
#include "ladder/ZonedRowScale.h"

std::unique_ptr<LadderRowScale> LadderLayout::Lay(const LadderTickGrid& grid) const {
    if (zoned) {
        std::vector<int64_t> ticks = ZonedRowScale::MiddleTicks(grid, middle);
        if (!ticks.empty()) {
            return std::make_unique<ZonedRowScale>(grid, ticksPerRow, std::move(ticks));
        }
    }
    return std::make_unique<SteppedRowScale>(grid, ticksPerRow);
}
