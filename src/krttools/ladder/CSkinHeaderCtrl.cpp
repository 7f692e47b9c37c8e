#include "ladder/CSkinHeaderCtrl.h"

#include <QMouseEvent>
#include <QPainter>

#include "ladder/CKoraListEx.h"
#include "ladder/QuickMouseMessages.h"
#include "platform/ColorRef.h"

namespace {

constexpr uint32_t kTitleColour = 0x6E6E6E;
constexpr int kDividerGrip = 3;
constexpr int kMinColumnWidth = 8;

}  // namespace

CSkinHeaderCtrl::CSkinHeaderCtrl(CKoraListEx& owner, const HeaderStyle& style)
    : QWidget(&owner), m_owner(owner), m_style(style) {
    setMouseTracking(true);
    setFixedHeight(m_style.height);
}

void CSkinHeaderCtrl::SetStyle(const HeaderStyle& style) {
    m_style = style;
    m_style.lines = style.lines == 2 ? 2 : 1;
    setFixedHeight(m_style.height);
    update();
}

void CSkinHeaderCtrl::SetOffset(int offset) {
    if (offset != m_offset) {
        m_offset = offset;
        update();
    }
}

QSize CSkinHeaderCtrl::sizeHint() const {
    return {m_owner.TotalColumnWidth(), m_style.height};
}

QRect CSkinHeaderCtrl::ColumnRect(int column, bool lowerLine) const {
    if (column < 0 || column >= m_owner.ColumnCount()) {
        return {};
    }
    const int left = m_owner.ColumnLeft(column) - m_offset;
    const int half = m_style.height / 2;
    if (m_style.lines == 2 && lowerLine) {
        return QRect(left, half, m_owner.ColumnWidth(column), m_style.height - half);
    }
    return QRect(left, 0, m_owner.ColumnWidth(column), m_style.lines == 2 ? half : m_style.height);
}

int CSkinHeaderCtrl::ColumnAt(int x) const {
    return m_owner.ColumnAtContentX(x + m_offset);
}

int CSkinHeaderCtrl::LowerLineFlag(int y) const {
    return m_style.lines == 2 && y > m_style.height / 2 ? 1 : 0;
}

int CSkinHeaderCtrl::DividerAt(int x) const {
    for (int column = 0; column < m_owner.ColumnCount(); ++column) {
        const int right = m_owner.ColumnLeft(column) + m_owner.ColumnWidth(column) - m_offset;
        if (std::abs(x - right) <= kDividerGrip) {
            return column;
        }
    }
    return -1;
}

void CSkinHeaderCtrl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int half = m_style.height / 2;
    const bool twoLines = m_style.lines == 2;
    painter.fillRect(rect(), Win::FromColorRef(m_style.upperBackground));
    if (twoLines) {
        painter.fillRect(QRect(0, half, width(), m_style.height - half),
                         Win::FromColorRef(m_style.lowerBackground));
    }
    painter.setFont(font());
    for (int column = 0; column < m_owner.ColumnCount(); ++column) {
        const QRect upper = ColumnRect(column);
        if (upper.right() < 0 || upper.left() > width()) {
            continue;
        }
        painter.setPen(Win::FromColorRef(kTitleColour));
        painter.drawText(upper, Qt::AlignCenter | Qt::TextSingleLine, m_owner.ColumnTitle(column));
        if (twoLines) {
            const QRect lower = ColumnRect(column, true).adjusted(0, 1, -1, -1);
            painter.save();
            painter.setClipRect(lower);
            m_owner.DrawHeaderLowerCell(painter, column, lower);
            painter.restore();
        }
        painter.setPen(Win::FromColorRef(m_style.separator));
        painter.drawLine(upper.right(), 0, upper.right(), m_style.height - 1);
    }
    painter.setPen(Win::FromColorRef(m_style.separator));
    if (twoLines) {
        painter.drawLine(0, half, width(), half);
    }
    painter.setPen(Win::FromColorRef(m_style.border));
    painter.drawLine(0, m_style.height - 1, width(), m_style.height - 1);
}

void CSkinHeaderCtrl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Win::SendMessage(&m_owner, QuickMouseMsg::kHeaderLayout, 0, 0);
}

void CSkinHeaderCtrl::Report(unsigned message, const QPoint& pos) {
    m_pointer = pos;
    Win::SendMessage(&m_owner, message, static_cast<Win::WPARAM>(ColumnAt(pos.x())), LowerLineFlag(pos.y()));
}

void CSkinHeaderCtrl::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton) {
        m_resizingColumn = DividerAt(pos.x());
        if (m_resizingColumn >= 0) {
            m_resizeGrab = pos.x() - m_owner.ColumnWidth(m_resizingColumn);
            return;
        }
        Report(QuickMouseMsg::kHeaderPress, pos);
    } else if (event->button() == Qt::RightButton) {
        Report(QuickMouseMsg::kHeaderRightPress, pos);
    }
}

void CSkinHeaderCtrl::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (m_resizingColumn >= 0) {
        m_owner.SetColumnWidth(m_resizingColumn, std::max(kMinColumnWidth, pos.x() - m_resizeGrab));
        return;
    }
    const bool overDivider = event->buttons() == Qt::NoButton && DividerAt(pos.x()) >= 0;
    setCursor(overDivider ? Qt::SplitHCursor : Qt::ArrowCursor);
    Report(QuickMouseMsg::kHeaderMove, pos);
}

void CSkinHeaderCtrl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint pos = event->position().toPoint();
    if (m_resizingColumn >= 0) {
        const int column = m_resizingColumn;
        m_resizingColumn = -1;
        const QRect resized = ColumnRect(column).united(ColumnRect(column, true));
        m_pointer = pos;
        Win::SendMessage(&m_owner, QuickMouseMsg::kHeaderColumnResized, static_cast<Win::WPARAM>(column),
                         reinterpret_cast<Win::LPARAM>(&resized));
        return;
    }
    Report(QuickMouseMsg::kHeaderRelease, pos);
}

void CSkinHeaderCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && DividerAt(event->position().toPoint().x()) < 0) {
        Report(QuickMouseMsg::kHeaderDoubleClick, event->position().toPoint());
    }
}

void CSkinHeaderCtrl::leaveEvent(QEvent* event) {
    QWidget::leaveEvent(event);
    // Tells the list the pointer has gone, so hover marks on the header go with it.
    m_pointer = QPoint(-1, -1);
    Win::SendMessage(&m_owner, QuickMouseMsg::kHeaderMove, static_cast<Win::WPARAM>(-1), 0);
}
