#pragma once

#include <QPoint>
#include <QWidget>
#include <cstdint>

class CKoraListEx;

// How a list's header looks, handed over when the list is created.
struct HeaderStyle {
    uint32_t upperBackground = 0xE6E6E6;  // upper line (the whole header with one line)
    uint32_t separator = 0xBBBBBB;        // lines between columns and between the two lines
    uint32_t border = 0x999999;           // the line under the header
    int height = 44;
    int lines = 2;
    uint32_t lowerBackground = 0xFFFFFF;  // lower line, left to the owner's drawing
};

// The skinned header of a CKoraListEx: column titles in the upper line, the owner's drawing in
// the lower one, column resizing by dragging a divider. It reports every mouse event to its
// list as the numbered messages of QuickMouseMsg, with the column under the pointer and
// whether the pointer is in the lower line.
class CSkinHeaderCtrl : public QWidget {
    Q_OBJECT
public:
    CSkinHeaderCtrl(CKoraListEx& owner, const HeaderStyle& style);

    void SetStyle(const HeaderStyle& style);
    const HeaderStyle& Style() const { return m_style; }
    // Horizontal scroll offset of the list, in pixels.
    void SetOffset(int offset);

    // Rectangle of a column in header coordinates; the lower line only with `lowerLine`.
    QRect ColumnRect(int column, bool lowerLine = false) const;
    int ColumnAt(int x) const;
    // 1 when the header has two lines and y lies below its middle.
    int LowerLineFlag(int y) const;
    // Where the pointer was at the last mouse event, in header coordinates: the list reads it
    // when a report needs more than the column, e.g. where a header drag was let go.
    QPoint PointerPos() const { return m_pointer; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void Report(unsigned message, const QPoint& pos);
    // The column whose right divider lies under x, -1 when none.
    int DividerAt(int x) const;

    CKoraListEx& m_owner;
    HeaderStyle m_style;
    int m_offset = 0;
    int m_resizingColumn = -1;
    int m_resizeGrab = 0;
    QPoint m_pointer;
};
