#pragma once

#include <vector>

#include "ladder/LadderTypes.h"
#include "ladder/WorkingOrderGroups.h"

// Where a pointer event happened, as the ladder's view resolves it.
struct LadderHit {
    enum class Area { Outside, Header, Cells };
    Area area = Area::Outside;
    int row = -1;  // -1 on the empty area below the last row
    int column = -1;
    bool onCancelIcon = false;  // over the cancel icon of an order cell that holds a group

    static LadderHit Outside() { return {}; }
    static LadderHit Header(int column) { return {Area::Header, -1, column, false}; }
    static LadderHit Cell(int row, int column, bool onIcon = false) {
        return {Area::Cells, row, column, onIcon};
    }
};

// What a gesture asks of the ladder.
struct LadderAction {
    enum class Kind {
        PlaceOrder,   // at row, on the volume column `column`
        CancelGroup,  // the group at (row, side)
        MoveGroup,    // the group at (row, side) to targetRow's price
        CancelSide,   // every group of side
        OpenEditor,   // the volume editor over the order cell (row, column)
    };
    Kind kind = Kind::PlaceOrder;
    int row = -1;
    int column = -1;
    int side = -1;
    int targetRow = -1;

    bool operator==(const LadderAction&) const = default;
};

enum class LadderCursor { Normal, Move, Cancel };

// Trigger modes of the quick-mouse configuration.
enum LadderTrigger { kSingleClick = 0, kDoubleClick = 1 };

// The mouse gestures of a ladder as a state machine over hits: a press on an order cell
// starts a drag that moves, cancels or edits the group; a press on its cancel icon cancels it;
// clicks on the volume columns place orders; the order columns' headers act on a whole side.
// It decides; the ladder carries the actions out.
class LadderGestures {
public:
    LadderGestures(const LadderColumns& columns, const WorkingOrderGroups& groups)
        : m_columns(columns), m_groups(groups) {}

    // Button down on the cells. True when a drag of an order group starts and the pointer
    // should be captured.
    bool Press(const LadderHit& hit);
    // Button up, wherever it happens. Press state is reset afterwards.
    std::vector<LadderAction> Release(const LadderHit& hit, int triggerMode);
    std::vector<LadderAction> DoubleClick(const LadderHit& hit, int triggerMode);

    // Header reports: the column under the pointer, whether the pointer is in the lower line,
    // and whether it is over that column's header cancel icon. Press answers true when a
    // header drag starts.
    bool HeaderPress(int column, bool lowerLine, bool onIcon);
    // `pointer` is where the release happened, for a header drag dropped on the cells.
    std::vector<LadderAction> HeaderRelease(int column, bool lowerLine, bool onIcon,
                                            const LadderHit& pointer);
    std::vector<LadderAction> HeaderDoubleClick(int column, bool lowerLine);

    bool Dragging() const { return m_dragRow >= 0 || m_headerDragColumn >= 0; }
    // The cursor during a drag; Normal without one.
    LadderCursor CursorAt(const LadderHit& hit) const;
    // The hover frame for a pointer without a drag.
    LadderHover HoverAt(const LadderHit& hit) const;

    // Forgets any press, as after a lost capture.
    void Reset();

private:
    int DragSide() const;

    const LadderColumns& m_columns;
    const WorkingOrderGroups& m_groups;
    int m_dragRow = -1;
    int m_dragColumn = -1;
    int m_iconRow = -1;
    int m_iconColumn = -1;
    int m_headerDragColumn = -1;
    int m_headerIconColumn = -1;
};
