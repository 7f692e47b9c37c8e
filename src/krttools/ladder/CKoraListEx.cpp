#include "ladder/CKoraListEx.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include "ladder/QuickMouseMessages.h"
#include "platform/ColorRef.h"

namespace {

Qt::Alignment AlignmentOf(int format) {
    const Qt::Alignment horizontal = format & CKoraListEx::kFormatCenter  ? Qt::AlignHCenter
                                     : format & CKoraListEx::kFormatRight ? Qt::AlignRight
                                                                          : Qt::AlignLeft;
    return horizontal | Qt::AlignVCenter;
}

}  // namespace

CKoraListEx::CKoraListEx(QWidget* parent)
    : QAbstractScrollArea(parent),
      m_gridColour(Win::FromColorRef(0xF3F3F3)),
      m_selectedColour(Win::FromColorRef(0xEEEEEE)),
      m_unselectedColour(Win::FromColorRef(0xFFFFFF)) {
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    m_header = new CSkinHeaderCtrl(*this, HeaderStyle());
    verticalScrollBar()->setSingleStep(1);
    PlaceHeader();
}

CKoraListEx::~CKoraListEx() = default;

int CKoraListEx::InsertColumn(int index, const QString& title, int width) {
    index = std::clamp(index, 0, ColumnCount());
    m_columns.insert(m_columns.begin() + index, Column{title, std::max(width, 0)});
    m_cellHooks.insert(m_cellHooks.begin() + index, CellHook());
    m_headerHooks.insert(m_headerHooks.begin() + index, HeaderHook());
    m_texts.SetColumnCount(ColumnCount());
    UpdateScrollBars();
    m_header->update();
    viewport()->update();
    return index;
}

int CKoraListEx::ColumnWidth(int column) const {
    return column >= 0 && column < ColumnCount() ? m_columns[column].width : 0;
}

void CKoraListEx::SetColumnWidth(int column, int width) {
    if (column < 0 || column >= ColumnCount()) {
        return;
    }
    m_columns[column].width = std::max(width, 0);
    UpdateScrollBars();
    m_header->update();
    viewport()->update();
}

QString CKoraListEx::ColumnTitle(int column) const {
    return column >= 0 && column < ColumnCount() ? m_columns[column].title : QString();
}

int CKoraListEx::TotalColumnWidth() const {
    int total = 0;
    for (const Column& column : m_columns) {
        total += column.width;
    }
    return total;
}

int CKoraListEx::ColumnLeft(int column) const {
    int left = 0;
    for (int i = 0; i < column && i < ColumnCount(); ++i) {
        left += m_columns[i].width;
    }
    return left;
}

int CKoraListEx::ColumnAtContentX(int x) const {
    if (x < 0) {
        return -1;
    }
    int left = 0;
    for (int column = 0; column < ColumnCount(); ++column) {
        left += m_columns[column].width;
        if (x < left) {
            return column;
        }
    }
    return -1;
}

void CKoraListEx::SetItemCount(int rows) {
    m_itemCount = std::max(rows, 0);
    if (m_selectedRow >= m_itemCount) {
        m_selectedRow = -1;
    }
    UpdateScrollBars();
    viewport()->update();
}

int CKoraListEx::TopIndex() const {
    return verticalScrollBar()->value();
}

int CKoraListEx::CountPerPage() const {
    return m_rowHeight > 0 ? viewport()->height() / m_rowHeight : 0;
}

QRect CKoraListEx::RowRect(int row) const {
    if (row < 0 || row >= m_itemCount) {
        return {};
    }
    return QRect(-horizontalScrollBar()->value(), (row - TopIndex()) * m_rowHeight,
                 std::max(TotalColumnWidth(), viewport()->width()), m_rowHeight);
}

QRect CKoraListEx::CellRect(int row, int column) const {
    const QRect line = RowRect(row);
    if (line.isEmpty() || column < 0 || column >= ColumnCount()) {
        return {};
    }
    return QRect(line.left() + ColumnLeft(column), line.top(), m_columns[column].width, m_rowHeight);
}

int CKoraListEx::RowAtY(int y) const {
    if (y < 0 || m_rowHeight <= 0) {
        return -1;
    }
    const int row = TopIndex() + y / m_rowHeight;
    return row < m_itemCount ? row : -1;
}

int CKoraListEx::ColumnAtX(int x) const {
    return ColumnAtContentX(x + horizontalScrollBar()->value());
}

void CKoraListEx::SetRowHeight(int height) {
    if (height > 0) {
        m_rowHeight = height;
        UpdateScrollBars();
        viewport()->update();
    }
}

void CKoraListEx::SetGridColour(uint32_t colorRef) {
    m_gridColour = Win::FromColorRef(colorRef);
}

void CKoraListEx::SetRowColours(uint32_t selected, uint32_t unselected) {
    m_selectedColour = Win::FromColorRef(selected);
    m_unselectedColour = Win::FromColorRef(unselected);
}

void CKoraListEx::SetHeaderStyle(const HeaderStyle& style) {
    m_header->SetStyle(style);
    PlaceHeader();
}

void CKoraListEx::SetListFont(const QFont& font) {
    m_listFont = font;
    viewport()->update();
}

void CKoraListEx::SetCellHook(int column, CellHook hook) {
    if (column >= 0 && column < ColumnCount()) {
        m_cellHooks[column] = std::move(hook);
    }
}

void CKoraListEx::SetHeaderHook(int column, HeaderHook hook) {
    if (column >= 0 && column < ColumnCount()) {
        m_headerHooks[column] = std::move(hook);
    }
}

void CKoraListEx::SetCellText(int row, int column, const QString& text) {
    if (m_texts.SetText(row, column, text)) {
        InvalidateRow(row);
    }
}

void CKoraListEx::ClearCell(int row, int column) {
    m_texts.ClearText(row, column);
    InvalidateRow(row);
}

void CKoraListEx::ClearAllCells() {
    m_texts.ClearAll();
    viewport()->update();
}

void CKoraListEx::SetHeaderText(int column, const QString& text) {
    m_texts.SetHeaderText(column, text);
    InvalidateHeader();
}

void CKoraListEx::ScrollRowToTop(int row) {
    if (row < 0 || row >= m_itemCount) {
        return;
    }
    verticalScrollBar()->setValue(row);
    const int previous = m_selectedRow;
    m_selectedRow = row;
    InvalidateRow(previous);
    InvalidateRow(row);
}

void CKoraListEx::InvalidateRow(int row) {
    const QRect rect = RowRect(row);
    if (!rect.isEmpty() && rect.intersects(viewport()->rect())) {
        viewport()->update(rect);
    }
}

void CKoraListEx::InvalidateHeader() {
    m_header->update();
}

void CKoraListEx::DrawHeaderLowerCell(QPainter& painter, int column, const QRect& cell) {
    const QString& text = m_texts.HeaderText(column);
    if (column >= 0 && column < ColumnCount() && m_headerHooks[column]) {
        m_headerHooks[column](painter, cell, text, m_textFormat, *this, column);
        return;
    }
    painter.setPen(Qt::black);
    painter.setFont(m_listFont);
    painter.drawText(cell, Qt::AlignCenter | Qt::TextSingleLine, text);
}

Win::LRESULT CKoraListEx::OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM lParam) {
    switch (message) {
        case QuickMouseMsg::kHeaderDoubleClick:
        case QuickMouseMsg::kHeaderRelease:
        case QuickMouseMsg::kHeaderPress:
        case QuickMouseMsg::kHeaderMove:
        case QuickMouseMsg::kHeaderRightPress:
            OnHeaderReport(message, static_cast<int>(static_cast<intptr_t>(wParam)),
                           static_cast<int>(lParam));
            return 1;
        case QuickMouseMsg::kHeaderColumnResized:
        case QuickMouseMsg::kHeaderLayout:
            UpdateScrollBars();
            viewport()->update();
            return 1;
        default:
            return 0;
    }
}

void CKoraListEx::DrawItem(QPainter& painter, int row, const QRect& rowRect) {
    const int columns = ColumnCount();
    int left = rowRect.left();
    for (int column = 0; column < columns; ++column) {
        const QRect cell(left, rowRect.top(), m_columns[column].width, rowRect.height());
        left += cell.width();
        DrawRowBackground(painter, row, column, cell);
        DrawCellBackground(painter, row, column, cell);
        if (!m_cellHooks[column]) {
            const QString& text = m_texts.Text(row, column);
            if (!text.isEmpty()) {
                painter.setFont(m_listFont);
                painter.setPen(Win::FromColorRef(CellTextColour(row, column)));
                painter.drawText(cell.adjusted(2, 0, -2, 0), AlignmentOf(m_textFormat) | Qt::TextSingleLine,
                                 text);
            }
        }
        DrawVerticalGridLine(painter, cell);
    }
    painter.setPen(m_gridColour);
    painter.drawLine(rowRect.left(), rowRect.bottom(), left - 1, rowRect.bottom());
    left = rowRect.left();
    for (int column = 0; column < columns; ++column) {
        const QRect cell(left, rowRect.top(), m_columns[column].width, rowRect.height());
        left += cell.width();
        if (m_cellHooks[column]) {
            // Hooks draw inside the grid lines.
            const QRect inner = cell.adjusted(0, 0, -1, -1);
            painter.save();
            painter.setClipRect(inner);
            m_cellHooks[column](painter, inner, m_texts.Text(row, column), m_textFormat, *this, row);
            painter.restore();
        }
    }
}

void CKoraListEx::DrawSelectedRowBackground(QPainter& painter, int, int, const QRect& cell) {
    painter.fillRect(cell, palette().highlight());
}

void CKoraListEx::DrawRowBackground(QPainter& painter, int row, int column, const QRect& cell) {
    if (row == m_selectedRow && hasFocus()) {
        DrawSelectedRowBackground(painter, row, column, cell);
    } else {
        DrawUnselectedRowBackground(painter, row, column, cell);
    }
}

void CKoraListEx::DrawVerticalGridLine(QPainter& painter, const QRect& cell) {
    painter.setPen(m_gridColour);
    painter.drawLine(cell.right(), cell.top(), cell.right(), cell.bottom());
}

void CKoraListEx::DrawUnselectedRowBackground(QPainter& painter, int, int, const QRect& cell) {
    painter.fillRect(cell, m_unselectedColour);
}

void CKoraListEx::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    const QRect area = event->rect();
    const int first = RowAtY(area.top());
    int lastY = 0;
    if (first >= 0) {
        const int last = std::min(m_itemCount - 1, TopIndex() + area.bottom() / m_rowHeight);
        for (int row = first; row <= last; ++row) {
            const QRect rect = RowRect(row);
            DrawItem(painter, row, rect);
            lastY = rect.bottom() + 1;
        }
    } else {
        lastY = std::max(0, (m_itemCount - TopIndex()) * m_rowHeight);
    }
    // The area below the last row, when the rows do not fill the page.
    if (lastY <= area.bottom()) {
        painter.fillRect(QRect(area.left(), lastY, area.width(), area.bottom() - lastY + 1), Qt::white);
    }
    // Right of the last column.
    const int right = TotalColumnWidth() - horizontalScrollBar()->value();
    if (right <= area.right()) {
        painter.fillRect(QRect(right, area.top(), area.right() - right + 1, area.height()), Qt::white);
    }
}

void CKoraListEx::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    PlaceHeader();
    UpdateScrollBars();
}

void CKoraListEx::scrollContentsBy(int dx, int dy) {
    m_header->SetOffset(horizontalScrollBar()->value());
    if (dx != 0) {
        viewport()->update();
        return;
    }
    viewport()->scroll(0, dy * m_rowHeight);
}

// The selected row draws differently with the focus.
void CKoraListEx::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    InvalidateRow(m_selectedRow);
}

void CKoraListEx::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    InvalidateRow(m_selectedRow);
}

void CKoraListEx::UpdateScrollBars() {
    const int perPage = std::max(CountPerPage(), 1);
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(0, std::max(0, m_itemCount - perPage));
    vertical->setPageStep(perPage);
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setRange(0, std::max(0, TotalColumnWidth() - viewport()->width()));
    horizontal->setPageStep(viewport()->width());
    horizontal->setSingleStep(20);
    m_header->SetOffset(horizontal->value());
}

void CKoraListEx::PlaceHeader() {
    const int height = m_header->Style().height;
    setViewportMargins(0, height, 0, 0);
    const QRect area = viewport()->geometry();
    m_header->setGeometry(area.left(), area.top() - height, area.width(), height);
}
