#include "ladder/COpenInfo.h"

#include <QMouseEvent>
#include <QPainter>

#include "ladder/QuickMouseHost.h"
#include "ladder/QuickMouseMessages.h"
#include "platform/ColorRef.h"
#include "platform/WinMessage.h"

namespace {

constexpr int kTextInset = 4;
constexpr int kUpperTop = 4;
constexpr int kLowerGap = 2;

}  // namespace

COpenInfo::COpenInfo(QWidget* parent) : QWidget(parent) {
    ReloadThemeFont();
}

void COpenInfo::ReloadThemeFont() {
    m_font = QuickMouseHost::Font(QStringLiteral("期货快鼠持仓普通"));
    update();
}

void COpenInfo::SetTexts(const QString& buy, const QString& sell) {
    m_buyText = buy;
    m_sellText = sell;
    update();
}

int COpenInfo::SideAt(const QPoint& pos) const {
    const int middle = height() / 2;
    if (pos.x() >= kTextInset && pos.y() >= kUpperTop && pos.y() < middle) {
        return 0;
    }
    if (pos.y() >= middle + kLowerGap && pos.y() < height()) {
        return 1;
    }
    return -1;
}

void COpenInfo::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(Win::FromColorRef(m_frameColour));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    const int middle = height() / 2;
    painter.setFont(m_font);
    painter.setPen(Win::FromColorRef(m_buyColour));
    painter.drawText(QRect(kTextInset, 0, width() - kTextInset, middle), Qt::AlignLeft | Qt::AlignVCenter,
                     QStringLiteral("买<=") + m_buyText);
    painter.setPen(Win::FromColorRef(m_sellColour));
    painter.drawText(QRect(kTextInset, middle, width() - kTextInset, height() - middle),
                     Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("卖<=") + m_sellText);
}

void COpenInfo::mouseDoubleClickEvent(QMouseEvent* event) {
    const int side = SideAt(event->position().toPoint());
    if (event->button() != Qt::LeftButton || side < 0) {
        return;
    }
    bool number = false;
    const long long volume = (side == 0 ? m_buyText : m_sellText).trimmed().toLongLong(&number);
    // Nothing to set from an empty or unreadable volume.
    if (number && volume >= 0) {
        Win::SendMessage(parentWidget(), QuickMouseMsg::kSetVolume, static_cast<Win::WPARAM>(volume), 0);
    }
}
