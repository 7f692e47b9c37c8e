#include "ladder/CPositionInfo.h"

#include "ladder/PositionTotals.h"

#include <QMouseEvent>
#include <QPainter>

#include "ladder/QuickMouseHost.h"
#include "platform/ColorRef.h"

namespace {

constexpr int kSideColumn = 21;
constexpr uint32_t kProfitRed = 0x0000D7;
constexpr uint32_t kProfitGreen = 0x307100;
const QString kNothing = QStringLiteral("—");

}  // namespace

CPositionInfo::CPositionInfo(QWidget* parent) : QWidget(parent) {
    ReloadThemeFonts();
}

void CPositionInfo::ReloadThemeFonts() {
    m_boldFont = QuickMouseHost::Font(QStringLiteral("期货快鼠持仓加粗"));
    m_normalFont = QuickMouseHost::Font(QStringLiteral("期货快鼠持仓普通"));
    update();
}

void CPositionInfo::SetFrameColour(uint32_t colorRef) {
    m_frameColour = colorRef;
    update();
}

void CPositionInfo::SetSideColour(uint32_t colorRef) {
    m_sideColour = colorRef;
    update();
}

void CPositionInfo::SetSideLabel(const QString& label) {
    m_sideLabel = label;
    update();
}

void CPositionInfo::SetVolumeText(const QString& text) {
    m_volumeText = text;
    update();
}

void CPositionInfo::SetProfitText(const QString& text) {
    m_profitText = text;
    update();
}

QString CPositionInfo::ShownVolume() const {
    return m_volumeText.isEmpty() ? kNothing : m_volumeText;
}

QString CPositionInfo::ShownProfit() const {
    return m_volumeText.isEmpty() || m_volumeText == kNothing ? kNothing : m_profitText;
}

uint32_t CPositionInfo::ProfitColour() const {
    return m_profitText.toDouble() > kProfitEpsilon ? kProfitRed : kProfitGreen;
}

void CPositionInfo::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int half = height() / 2;
    const QRect column(width() - kSideColumn, 0, kSideColumn, height());
    painter.fillRect(rect(), Qt::white);
    painter.setPen(Win::FromColorRef(m_frameColour));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.drawLine(0, half, column.left(), half);

    painter.setPen(Win::FromColorRef(m_sideColour));
    painter.drawRect(column.adjusted(0, 0, -1, -1));
    painter.setFont(m_boldFont);
    painter.drawText(QRect(column.left(), 0, column.width(), half), Qt::AlignCenter, m_sideLabel);
    painter.drawText(QRect(column.left(), half, column.width(), height() - half), Qt::AlignCenter,
                     QStringLiteral("仓"));

    painter.setFont(m_normalFont);
    painter.setPen(Qt::black);
    painter.drawText(QRect(0, 0, column.left(), half), Qt::AlignCenter | Qt::TextSingleLine, ShownVolume());
    painter.setFont(m_boldFont);
    painter.setPen(Win::FromColorRef(ProfitColour()));
    painter.drawText(QRect(0, half, column.left(), height() - half), Qt::AlignCenter | Qt::TextSingleLine,
                     ShownProfit());
}

void CPositionInfo::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        emit doubleClicked();
    }
}

void CPositionInfo::ShowTotals(const PositionSideTotals& totals, int profitDecimals) {
    const QString volume = totals.VolumeText();
    const QString profit = totals.ProfitText(profitDecimals);
    m_secondText = totals.SecondText();
    if (m_volumeText != volume) {
        SetVolumeText(volume);
    }
    if (m_profitText != profit) {
        SetProfitText(profit);
    }
}
