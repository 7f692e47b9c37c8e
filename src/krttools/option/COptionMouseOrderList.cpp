#include "option/COptionMouseOrderList.h"

#include <QPainter>
#include <utility>

#include "ladder/QuickMouseHost.h"
#include "platform/ColorRef.h"

namespace {

constexpr uint32_t kPlainBackground = 0xFFFFFF;
constexpr uint32_t kOutOfRangeBackground = 0xF2F2F2;
constexpr uint32_t kLastPriceBackground = 0xD8FCFF;
constexpr uint32_t kBuyVolumeBackground = 0xE0E0FF;
constexpr uint32_t kSellVolumeBackground = 0xCCEBCC;
constexpr uint32_t kAboveReferenceText = 0x0707EF;
constexpr uint32_t kBelowReferenceText = 0x058F08;

bool HasBook(const LadderBestQuote& quote) {
    return quote.bidPrice > 0 || quote.askPrice > 0;
}

}  // namespace

COptionMouseOrderList::COptionMouseOrderList(QWidget* parent) : CMouseOrderList(parent) {}

int COptionMouseOrderList::Build(const QString& contractCode, int decimals, double lower, double reference,
                                 double tick, double upper, const LadderBestQuote& quote, double lastPrice) {
    m_middle = m_mode.zoned ? OptionStepModes::MiddleList(quote, lastPrice) : std::vector<double>();
    // The layout is kept for the build; the previous contract's rows are laid once more on the way.
    SetRowLayout(OptionStepModes::LayoutOf(m_mode, m_middle));
    return CMouseOrderList::Build(contractCode, decimals, lower, reference, tick, upper);
}

bool COptionMouseOrderList::SetStepMode(const OptionStepModes::StepMode& mode) {
    if (mode == m_mode) {
        return false;
    }
    m_mode = mode;
    const LadderBestQuote quote = Model().BestQuote();
    const double last = Model().LastPrice();
    m_middle = m_mode.zoned ? OptionStepModes::MiddleList(quote, last) : std::vector<double>();
    Relay(quote, last);
    return true;
}

void COptionMouseOrderList::SetBestQuote(const LadderBestQuote& quote) {
    if (m_mode.zoned && Model().RowCount() > 0 && !OptionStepModes::HoldsBestPrices(m_middle, quote)) {
        if (m_buttonDown) {
            // Rows moving under a drag would drop it; the best prices show on the rows nearest them.
            m_relayWaiting = true;
            CMouseOrderList::SetBestQuote(quote);
            return;
        }
        const double last = Model().LastPrice();
        m_middle = OptionStepModes::MiddleList(quote, last);
        Relay(quote, last);
        return;
    }
    CMouseOrderList::SetBestQuote(quote);
}

int COptionMouseOrderList::TriggerMode() const {
    return QuickMouseHost::TriggerMode(m_configCategory);
}

void COptionMouseOrderList::mousePressEvent(QMouseEvent* event) {
    m_buttonDown = true;
    CMouseOrderList::mousePressEvent(event);
}

void COptionMouseOrderList::mouseReleaseEvent(QMouseEvent* event) {
    CMouseOrderList::mouseReleaseEvent(event);
    m_buttonDown = false;
    if (std::exchange(m_relayWaiting, false)) {
        const LadderBestQuote quote = Model().BestQuote();
        if (!OptionStepModes::HoldsBestPrices(m_middle, quote)) {
            m_middle = OptionStepModes::MiddleList(quote, Model().LastPrice());
            Relay(quote, Model().LastPrice());
        }
    }
}

void COptionMouseOrderList::Relay(const LadderBestQuote& quote, double lastPrice) {
    const LadderRowScale& before = Model().Scale();
    const bool hadRows = before.RowCount() > 0;
    const double topPrice = hadRows ? before.PriceOf(std::max(0, TopIndex())) : 0;
    SetRowLayout(OptionStepModes::LayoutOf(m_mode, m_middle));
    if (lastPrice > 0) {
        CMouseOrderList::SetLastPrice(lastPrice);
    }
    if (HasBook(quote)) {
        CMouseOrderList::SetBestQuote(quote);
    }
    // The trader keeps looking at the same prices.
    const int top = hadRows ? Model().Scale().RowOf(topPrice) : -1;
    if (top >= 0) {
        ScrollRowToTop(top);
    }
    if (m_relaid) {
        m_relaid();
    }
}

void COptionMouseOrderList::DrawUnselectedRowBackground(QPainter& painter, int row, int column,
                                                        const QRect& cell) {
    const LadderColumns& columns = Model().Columns();
    uint32_t colour = kPlainBackground;
    if (column == columns.price) {
        colour = row == Model().LastPriceRow() ? kLastPriceBackground
                 : Model().IsInDayRange(row)   ? kPlainBackground
                                               : kOutOfRangeBackground;
    } else if (column == columns.buyVolume) {
        colour = kBuyVolumeBackground;
    } else if (column == columns.sellVolume) {
        colour = kSellVolumeBackground;
    }
    painter.fillRect(cell, Win::FromColorRef(colour));
}

uint32_t COptionMouseOrderList::CellTextColour(int row, int column) const {
    if (column != Model().Columns().price || !Model().Scale().IsRow(row)) {
        return 0;
    }
    const LadderRowScale& scale = Model().Scale();
    const double above = scale.PriceOf(row) - scale.ReferencePrice();
    if (above > LadderModel::kPriceEpsilon) {
        return kAboveReferenceText;
    }
    return above < -LadderModel::kPriceEpsilon ? kBelowReferenceText : 0;
}
