#include "COptListTradeBatch.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QToolTip>
#include <algorithm>

namespace {

const QColor kGridColor(0xDD, 0xDF, 0xE3);
const QColor kHeaderLine(0xC4, 0xC8, 0xCE);
const QColor kWarningColor(0xE0, 0x6C, 0x00);
const QString kCheckMark = QStringLiteral("✓");
const QString kWarningMark = QStringLiteral("!");

}  // namespace

// The two header rows above the cells; it scrolls sideways with them.
class COptListTradeBatch::HeaderBar : public QWidget {
public:
    explicit HeaderBar(COptListTradeBatch* board) : QWidget(board), m_board(board) { setMouseTracking(true); }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        m_board->PaintHeader(painter, rect());
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton && m_board->StrikeTitleRect().contains(event->pos())) {
            m_board->OpenMonthChoice();
        }
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        const bool overMonth =
            !m_board->m_months.isEmpty() && m_board->StrikeTitleRect().contains(event->pos());
        setCursor(overMonth ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }

private:
    COptListTradeBatch* m_board;
};

COptListTradeBatch::COptListTradeBatch(QWidget* parent) : QAbstractScrollArea(parent) {
    m_header = new HeaderBar(this);
    FitRowsToFont();
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    horizontalScrollBar()->setSingleStep(20);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

COptListTradeBatch::~COptListTradeBatch() = default;

// ---- Shape and look ---------------------------------------------------------------------------

void COptListTradeBatch::SetColumns(const std::vector<Column>& columns, int strikeColumn) {
    m_columns = columns;
    m_strikeColumn = strikeColumn;
    m_tickColors.assign(columns.size(), QColor(0x33, 0x33, 0x33));
    const int rows = m_rowCount;
    m_rowCount = -1;  // every cell is new
    SetRowCount(rows);
    LayOutColumns();
    UpdateScrollBars();
    updateGeometry();
}

void COptListTradeBatch::SetGroupTitles(const QString& calls, const QString& middle, const QString& puts) {
    m_callTitle = calls;
    m_middleTitle = middle;
    m_putTitle = puts;
    m_header->update();
}

void COptListTradeBatch::SetHeaderColors(const HeaderColors& colors) {
    m_headerColors = colors;
    m_header->update();
}

void COptListTradeBatch::SetBoardColors(const QColor& background, const QColor& text) {
    m_background = background;
    m_placeholderColor = text;
    m_placeholderColor.setAlpha(140);
    viewport()->update();
}

void COptListTradeBatch::SetMarkedHint(const QString& hint) {
    m_markedHint = hint;
}

void COptListTradeBatch::SetPlaceholder(const QString& placeholder) {
    m_placeholder = placeholder;
    viewport()->update();
}

void COptListTradeBatch::SetTickColor(int column, const QColor& color) {
    if (column >= 0 && column < ColumnCount()) {
        m_tickColors[static_cast<size_t>(column)] = color;
        viewport()->update();
    }
}

// ---- Months ------------------------------------------------------------------------------------

void COptListTradeBatch::SetMonths(const QStringList& months, int current) {
    m_months = months;
    m_month = current >= 0 && current < months.size() ? current : -1;
    m_header->update();
}

QString COptListTradeBatch::StrikeTitle() const {
    return m_month >= 0 ? QString::asprintf("%s ▼", m_months[m_month].toUtf8().constData()) : QString();
}

QMenu* COptListTradeBatch::OpenMonthChoice() {
    if (m_months.isEmpty()) {
        return nullptr;
    }
    delete m_monthMenu;
    m_monthMenu = new QMenu(this);
    m_monthMenu->setObjectName(QStringLiteral("monthChoice"));
    for (int i = 0; i < m_months.size(); ++i) {
        QAction* action = m_monthMenu->addAction(m_months[i]);
        action->setCheckable(true);
        action->setChecked(i == m_month);
        connect(action, &QAction::triggered, this, [this, i] { emit monthChosen(i); });
    }
    const QRect title = StrikeTitleRect();
    m_monthMenu->setMinimumWidth(title.width());
    m_monthMenu->popup(m_header->mapToGlobal(title.bottomLeft()));
    return m_monthMenu;
}

// ---- Rows and cells ----------------------------------------------------------------------------

void COptListTradeBatch::SetRowCount(int rows) {
    rows = std::max(rows, 0);
    if (rows == m_rowCount) {
        return;
    }
    m_rowCount = rows;
    const size_t count = static_cast<size_t>(rows) * m_columns.size();
    m_cells.assign(count, Cell{});
    m_marked.assign(count, false);
    m_ticks.clear();
    m_current = rows > 0 && ColumnCount() > 0 ? CellRef{0, m_strikeColumn == 0 ? 1 : 0} : CellRef{};
    UpdateScrollBars();
    viewport()->update();
}

size_t COptListTradeBatch::Index(CellRef cell) const {
    return static_cast<size_t>(cell.row) * m_columns.size() + static_cast<size_t>(cell.column);
}

bool COptListTradeBatch::SetCell(CellRef cell, const Cell& content) {
    if (cell.row < 0 || cell.row >= m_rowCount || cell.column < 0 || cell.column >= ColumnCount()) {
        return false;
    }
    Cell& held = m_cells[Index(cell)];
    if (held.text == content.text && held.background == content.background &&
        held.foreground == content.foreground) {
        return false;
    }
    held = content;
    const QRect area = CellRect(cell);
    viewport()->update(area);
    return area.intersects(viewport()->rect());
}

const COptListTradeBatch::Cell& COptListTradeBatch::CellAt(CellRef cell) const {
    static const Cell kNone;
    if (cell.row < 0 || cell.row >= m_rowCount || cell.column < 0 || cell.column >= ColumnCount()) {
        return kNone;
    }
    return m_cells[Index(cell)];
}

// ---- Ticks -------------------------------------------------------------------------------------

bool COptListTradeBatch::IsTickable(CellRef cell) const {
    return cell.row >= 0 && cell.row < m_rowCount && cell.column >= 0 && cell.column < ColumnCount() &&
           cell.column != m_strikeColumn;
}

int COptListTradeBatch::TickIndex(CellRef cell) const {
    const auto found = std::find(m_ticks.begin(), m_ticks.end(), cell);
    return found == m_ticks.end() ? -1 : static_cast<int>(found - m_ticks.begin());
}

bool COptListTradeBatch::IsTicked(CellRef cell) const {
    return TickIndex(cell) >= 0;
}

void COptListTradeBatch::ToggleTick(CellRef cell) {
    if (!IsTickable(cell)) {
        return;
    }
    const int index = TickIndex(cell);
    if (index >= 0) {
        m_ticks.erase(m_ticks.begin() + index);
        m_marked[Index(cell)] = false;
    } else {
        m_ticks.push_back(cell);
    }
    viewport()->update(CellRect(cell));
    emit ticksChanged();
}

void COptListTradeBatch::ClearTicks() {
    m_ticks.clear();
    std::fill(m_marked.begin(), m_marked.end(), false);
    viewport()->update();
}

void COptListTradeBatch::SetMarked(CellRef cell, bool marked) {
    if (!IsTickable(cell) || m_marked[Index(cell)] == marked) {
        return;
    }
    m_marked[Index(cell)] = marked;
    viewport()->update(CellRect(cell));
}

bool COptListTradeBatch::IsMarked(CellRef cell) const {
    return IsTickable(cell) && m_marked[Index(cell)];
}

// ---- Geometry ----------------------------------------------------------------------------------

int COptListTradeBatch::TotalWidth() const {
    int total = 0;
    for (const Column& column : m_columns) {
        total += column.width;
    }
    return total;
}

void COptListTradeBatch::LayOutColumns() {
    const int count = ColumnCount();
    m_left.assign(static_cast<size_t>(count), 0);
    m_width.assign(static_cast<size_t>(count), 0);
    if (count == 0) {
        return;
    }
    const int extra = std::max(0, viewport()->width() - TotalWidth());
    int left = 0;
    for (int i = 0; i < count; ++i) {
        // The strike column takes what an even share leaves over.
        const int share = extra / count + (i == m_strikeColumn ? extra % count : 0);
        m_left[static_cast<size_t>(i)] = left;
        m_width[static_cast<size_t>(i)] = m_columns[static_cast<size_t>(i)].width + share;
        left += m_width[static_cast<size_t>(i)];
    }
}

int COptListTradeBatch::ColumnLeft(int column) const {
    return m_left[static_cast<size_t>(column)] - horizontalScrollBar()->value();
}

QRect COptListTradeBatch::CellRect(CellRef cell) const {
    if (cell.row < 0 || cell.row >= m_rowCount || cell.column < 0 || cell.column >= ColumnCount() ||
        m_left.size() != m_columns.size()) {
        return {};
    }
    return QRect(ColumnLeft(cell.column), cell.row * m_rowHeight - verticalScrollBar()->value(),
                 m_width[static_cast<size_t>(cell.column)], m_rowHeight);
}

COptListTradeBatch::CellRef COptListTradeBatch::CellUnder(const QPoint& point) const {
    if (m_rowHeight <= 0) {
        return {};
    }
    const int y = point.y() + verticalScrollBar()->value();
    const int row = y >= 0 ? y / m_rowHeight : -1;
    if (row < 0 || row >= m_rowCount) {
        return {};
    }
    for (int column = 0; column < ColumnCount(); ++column) {
        const int left = ColumnLeft(column);
        if (point.x() >= left && point.x() < left + m_width[static_cast<size_t>(column)]) {
            return {row, column};
        }
    }
    return {};
}

QRect COptListTradeBatch::StrikeTitleRect() const {
    if (m_strikeColumn < 0 || m_strikeColumn >= ColumnCount() || m_left.size() != m_columns.size()) {
        return {};
    }
    return QRect(ColumnLeft(m_strikeColumn), m_headerRowHeight, m_width[static_cast<size_t>(m_strikeColumn)],
                 m_headerRowHeight);
}

QWidget* COptListTradeBatch::Header() const {
    return m_header;
}

void COptListTradeBatch::CentreRow(int row) {
    if (row < 0 || row >= m_rowCount) {
        return;
    }
    // Whole rows from the top edge, so that no figure above the row is cut in half.
    const int fullRows = std::max(1, viewport()->height() / m_rowHeight);
    const int top = std::max(0, row - (fullRows - 1) / 2);
    verticalScrollBar()->setValue(std::min(top * m_rowHeight, verticalScrollBar()->maximum()));
}

void COptListTradeBatch::UpdateScrollBars() {
    const int contentHeight = m_rowCount * m_rowHeight;
    verticalScrollBar()->setPageStep(std::max(m_rowHeight, viewport()->height()));
    verticalScrollBar()->setSingleStep(m_rowHeight);
    verticalScrollBar()->setRange(0, std::max(0, contentHeight - viewport()->height()));
    horizontalScrollBar()->setPageStep(std::max(1, viewport()->width()));
    horizontalScrollBar()->setRange(0, std::max(0, TotalWidth() - viewport()->width()));
}

QSize COptListTradeBatch::sizeHint() const {
    const int frame = 2 * frameWidth();
    return QSize(TotalWidth() + frame + verticalScrollBar()->sizeHint().width(),
                 2 * m_headerRowHeight + 12 * m_rowHeight + frame);
}

QSize COptListTradeBatch::minimumSizeHint() const {
    return QSize(std::min(TotalWidth(), 240), 2 * m_headerRowHeight + 3 * m_rowHeight);
}

// ---- Painting ----------------------------------------------------------------------------------

void COptListTradeBatch::PaintHeader(QPainter& painter, const QRect& area) {
    painter.fillRect(area, m_headerColors.middleBackground.isValid() ? m_headerColors.middleBackground
                                                                     : palette().window().color());
    if (m_left.size() != m_columns.size() || m_columns.empty()) {
        return;
    }
    const int h = m_headerRowHeight;
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);

    // Upper row: the group titles.
    const int callsRight = m_strikeColumn > 0 ? ColumnLeft(m_strikeColumn) : ColumnLeft(0);
    const int putsLeft = m_strikeColumn >= 0 && m_strikeColumn < ColumnCount()
                             ? ColumnLeft(m_strikeColumn) + m_width[static_cast<size_t>(m_strikeColumn)]
                             : callsRight;
    const int right = ColumnLeft(ColumnCount() - 1) + m_width.back();
    const QRect calls(ColumnLeft(0), 0, callsRight - ColumnLeft(0), h);
    const QRect middle(callsRight, 0, putsLeft - callsRight, h);
    const QRect puts(putsLeft, 0, right - putsLeft, h);
    painter.fillRect(calls, m_headerColors.callBackground);
    painter.fillRect(middle, m_headerColors.middleBackground);
    painter.fillRect(puts, m_headerColors.putBackground);
    painter.setPen(m_headerColors.callText);
    painter.drawText(calls, Qt::AlignCenter, m_callTitle);
    painter.setPen(m_headerColors.middleText);
    painter.drawText(middle.adjusted(4, 0, -4, 0), Qt::AlignCenter | Qt::TextSingleLine,
                     painter.fontMetrics().elidedText(m_middleTitle, Qt::ElideRight, middle.width() - 8));
    painter.setPen(m_headerColors.putText);
    painter.drawText(puts, Qt::AlignCenter, m_putTitle);

    // Lower row: the column titles; the strike column's names the month and opens the choice.
    painter.setFont(font());
    for (int column = 0; column < ColumnCount(); ++column) {
        const QRect cell(ColumnLeft(column), h, m_width[static_cast<size_t>(column)], h);
        if (column == m_strikeColumn) {
            painter.fillRect(cell, m_headerColors.strikeBackground);
            const QString title = StrikeTitle();
            if (!title.isEmpty()) {
                QFontMetrics metrics(bold);
                const int chipWidth = std::min(cell.width() - 8, metrics.horizontalAdvance(title) + 20);
                const QRect chip(cell.center().x() - chipWidth / 2, cell.top() + 3, chipWidth, h - 6);
                QPainterPath path;
                path.addRoundedRect(chip, 3, 3);
                painter.setRenderHint(QPainter::Antialiasing, true);
                painter.fillPath(path, m_headerColors.monthBackground);
                painter.setRenderHint(QPainter::Antialiasing, false);
                painter.setFont(bold);
                painter.setPen(m_headerColors.monthText);
                painter.drawText(chip, Qt::AlignCenter, title);
                painter.setFont(font());
            } else {
                painter.setPen(m_headerColors.strikeText);
                painter.drawText(cell, Qt::AlignCenter, m_columns[static_cast<size_t>(column)].title);
            }
            continue;
        }
        const bool call = column < m_strikeColumn;
        painter.fillRect(cell, call ? m_headerColors.callBackground : m_headerColors.putBackground);
        painter.setPen(call ? m_headerColors.callText : m_headerColors.putText);
        painter.drawText(cell, Qt::AlignCenter, m_columns[static_cast<size_t>(column)].title);
    }
    painter.setPen(kHeaderLine);
    painter.drawLine(area.left(), h, area.right(), h);
    painter.drawLine(area.left(), 2 * h - 1, area.right(), 2 * h - 1);
    for (int column = 1; column < ColumnCount(); ++column) {
        const int x = ColumnLeft(column);
        const bool spansGroups = column == m_strikeColumn || column == m_strikeColumn + 1;
        painter.drawLine(x, spansGroups ? 0 : h, x, 2 * h - 1);
    }
}

void COptListTradeBatch::PaintCell(QPainter& painter, CellRef cell, const QRect& rect) {
    const Cell& content = m_cells[Index(cell)];
    painter.fillRect(rect, content.background.isValid() ? content.background : m_background);
    const bool strike = cell.column == m_strikeColumn;
    if (strike) {
        painter.setFont(m_strikeFont);
    }
    // Cells are many and their texts one line: placed by the font's metrics rather than laid out.
    const QFontMetrics& metrics = strike ? m_strikeMetrics : m_cellMetrics;
    const QString& text = content.text.isEmpty() ? m_placeholder : content.text;
    painter.setPen(content.text.isEmpty()         ? m_placeholderColor
                   : content.foreground.isValid() ? content.foreground
                                                  : palette().text().color());
    const int width = metrics.horizontalAdvance(text);
    const int baseline = rect.top() + (rect.height() + metrics.ascent() - metrics.descent()) / 2;
    painter.drawText(QPoint(rect.left() + std::max(4, (rect.width() - width) / 2), baseline), text);
    if (strike) {
        painter.setFont(font());
    }

    if (IsTicked(cell)) {
        const bool marked = m_marked[Index(cell)];
        const QColor color = marked ? kWarningColor : m_tickColors[static_cast<size_t>(cell.column)];
        QColor tint = color;
        tint.setAlpha(36);
        painter.fillRect(rect.adjusted(1, 1, -1, -1), tint);
        painter.setPen(QPen(color, 2, marked ? Qt::DashLine : Qt::SolidLine));
        painter.drawRect(rect.adjusted(2, 2, -2, -2));
        painter.setFont(m_markFont);
        painter.setPen(color);
        painter.drawText(QRect(rect.left() + 6, rect.top(), 16, rect.height()),
                         Qt::AlignVCenter | Qt::AlignLeft, marked ? kWarningMark : kCheckMark);
        painter.setFont(font());
    }
    if (hasFocus() && cell == m_current) {
        painter.setPen(QPen(palette().text().color(), 1, Qt::DotLine));
        painter.drawRect(rect.adjusted(1, 1, -2, -2));
    }
}

void COptListTradeBatch::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.setFont(font());
    painter.fillRect(event->rect(), m_background);
    if (m_rowCount == 0 || m_left.size() != m_columns.size()) {
        return;
    }
    const int top = verticalScrollBar()->value();
    const int first = std::max(0, (event->rect().top() + top) / m_rowHeight);
    const int last = std::min(m_rowCount - 1, (event->rect().bottom() + top) / m_rowHeight);
    for (int row = first; row <= last; ++row) {
        for (int column = 0; column < ColumnCount(); ++column) {
            const QRect rect = CellRect({row, column});
            if (rect.intersects(event->rect())) {
                PaintCell(painter, {row, column}, rect);
            }
        }
        painter.setPen(kGridColor);
        const QRect rowRect = CellRect({row, 0}).united(CellRect({row, ColumnCount() - 1}));
        painter.drawLine(rowRect.left(), rowRect.bottom(), rowRect.right(), rowRect.bottom());
    }
    painter.setPen(kGridColor);
    const int bottom = std::min(viewport()->height(), m_rowCount * m_rowHeight - top);
    for (int column = 1; column < ColumnCount(); ++column) {
        const int x = ColumnLeft(column);
        painter.drawLine(x, 0, x, bottom);
    }
}

// ---- Events ------------------------------------------------------------------------------------

void COptListTradeBatch::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    const QRect view = viewport()->geometry();
    m_header->setGeometry(view.left(), view.top() - 2 * m_headerRowHeight, view.width(),
                          2 * m_headerRowHeight);
    LayOutColumns();
    UpdateScrollBars();
}

void COptListTradeBatch::scrollContentsBy(int dx, int dy) {
    viewport()->update();
    if (dx != 0) {
        m_header->update();
    }
}

void COptListTradeBatch::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange) {
        FitRowsToFont();
    }
    QAbstractScrollArea::changeEvent(event);
}

void COptListTradeBatch::FitRowsToFont() {
    m_strikeFont = font();
    m_strikeFont.setBold(true);
    m_markFont = m_strikeFont;
    m_markFont.setPointSizeF(m_markFont.pointSizeF() * 1.2);
    m_cellMetrics = QFontMetrics(font());
    m_strikeMetrics = QFontMetrics(m_strikeFont);
    const int height = fontMetrics().height();
    m_rowHeight = height + 10;
    m_headerRowHeight = height + 8;
    setViewportMargins(0, 2 * m_headerRowHeight, 0, 0);
    UpdateScrollBars();
    updateGeometry();
}

void COptListTradeBatch::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    const CellRef cell = CellUnder(event->pos());
    if (!cell.IsValid()) {
        return;
    }
    setFocus(Qt::MouseFocusReason);
    SetCurrent(cell);
    ToggleTick(cell);
}

void COptListTradeBatch::keyPressEvent(QKeyEvent* event) {
    const int page = std::max(1, viewport()->height() / std::max(1, m_rowHeight) - 1);
    switch (event->key()) {
        case Qt::Key_Up:
            MoveCurrent(-1, 0);
            return;
        case Qt::Key_Down:
            MoveCurrent(1, 0);
            return;
        case Qt::Key_Left:
            MoveCurrent(0, -1);
            return;
        case Qt::Key_Right:
            MoveCurrent(0, 1);
            return;
        case Qt::Key_PageUp:
            MoveCurrent(-page, 0);
            return;
        case Qt::Key_PageDown:
            MoveCurrent(page, 0);
            return;
        case Qt::Key_Home:
            MoveCurrent(-m_rowCount, 0);
            return;
        case Qt::Key_End:
            MoveCurrent(m_rowCount, 0);
            return;
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            ToggleTick(m_current);
            return;
        default:
            QAbstractScrollArea::keyPressEvent(event);
    }
}

void COptListTradeBatch::MoveCurrent(int rows, int columns) {
    if (!m_current.IsValid()) {
        return;
    }
    CellRef next{std::clamp(m_current.row + rows, 0, m_rowCount - 1), m_current.column};
    if (columns != 0) {
        int column = m_current.column + columns;
        if (column == m_strikeColumn) {
            column += columns;  // the strike column takes no tick: step over it
        }
        if (column >= 0 && column < ColumnCount()) {
            next.column = column;
        }
    }
    SetCurrent(next);
}

void COptListTradeBatch::SetCurrent(CellRef cell) {
    if (!IsTickable(cell)) {
        return;
    }
    const CellRef previous = m_current;
    m_current = cell;
    viewport()->update(CellRect(previous));
    viewport()->update(CellRect(cell));
    const QRect rect = CellRect(cell);
    if (rect.top() < 0) {
        verticalScrollBar()->setValue(cell.row * m_rowHeight);
    } else if (rect.bottom() > viewport()->height()) {
        verticalScrollBar()->setValue((cell.row + 1) * m_rowHeight - viewport()->height());
    }
}

bool COptListTradeBatch::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const CellRef cell = CellUnder(help->pos());
        if (IsMarked(cell) && IsTicked(cell) && !m_markedHint.isEmpty()) {
            QToolTip::showText(help->globalPos(), m_markedHint, viewport());
        } else {
            QToolTip::hideText();
        }
        return true;
    }
    return QAbstractScrollArea::viewportEvent(event);
}

void COptListTradeBatch::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    viewport()->update(CellRect(m_current));
}

void COptListTradeBatch::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    viewport()->update(CellRect(m_current));
}
