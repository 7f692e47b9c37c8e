#include "ladder/LadderGestures.h"

using Kind = LadderAction::Kind;

namespace {

bool IsRowHit(const LadderHit& hit) {
    return hit.area == LadderHit::Area::Cells && hit.row >= 0;
}

}  // namespace

bool LadderGestures::Press(const LadderHit& hit) {
    Reset();
    if (!IsRowHit(hit)) {
        return false;
    }
    const int side = m_columns.OrderSide(hit.column);
    if (side < 0 || m_groups.Find(hit.row, side) < 0) {
        return false;
    }
    if (hit.onCancelIcon) {
        m_iconRow = hit.row;
        m_iconColumn = hit.column;
        return false;
    }
    m_dragRow = hit.row;
    m_dragColumn = hit.column;
    return true;
}

std::vector<LadderAction> LadderGestures::Release(const LadderHit& hit, int triggerMode) {
    std::vector<LadderAction> actions;
    if (m_iconRow >= 0) {
        if (IsRowHit(hit) && hit.onCancelIcon && hit.row == m_iconRow && hit.column == m_iconColumn) {
            actions.push_back(
                {Kind::CancelGroup, m_iconRow, m_iconColumn, m_columns.OrderSide(m_iconColumn)});
        }
    } else if (m_dragRow >= 0) {
        const int side = DragSide();
        if (IsRowHit(hit) && hit.row == m_dragRow && hit.column == m_dragColumn) {
            actions.push_back({Kind::OpenEditor, m_dragRow, m_dragColumn, side});
        } else if (IsRowHit(hit) && m_columns.IsDropTarget(side, hit.column)) {
            // Let go on its own row, the group stays as it is: a cancel and a new order at the
            // same price would only lose its place in the queue.
            if (hit.row != m_dragRow) {
                actions.push_back({Kind::MoveGroup, m_dragRow, m_dragColumn, side, hit.row});
            }
        } else {
            actions.push_back({Kind::CancelGroup, m_dragRow, m_dragColumn, side});
        }
    } else if (IsRowHit(hit) && m_columns.VolumeSide(hit.column) >= 0 && triggerMode == kSingleClick) {
        // Only a plain click places: an order dragged onto a volume column moves, and must
        // not leave a new order behind as well.
        actions.push_back({Kind::PlaceOrder, hit.row, hit.column, m_columns.VolumeSide(hit.column)});
    }
    Reset();
    return actions;
}

std::vector<LadderAction> LadderGestures::DoubleClick(const LadderHit& hit, int triggerMode) {
    std::vector<LadderAction> actions;
    if (!IsRowHit(hit)) {
        return actions;
    }
    const int volumeSide = m_columns.VolumeSide(hit.column);
    const int orderSide = m_columns.OrderSide(hit.column);
    if (volumeSide >= 0 && triggerMode == kDoubleClick) {
        actions.push_back({Kind::PlaceOrder, hit.row, hit.column, volumeSide});
    } else if (orderSide >= 0 && m_groups.Find(hit.row, orderSide) >= 0) {
        actions.push_back({Kind::CancelGroup, hit.row, hit.column, orderSide});
    }
    return actions;
}

bool LadderGestures::HeaderPress(int column, bool lowerLine, bool onIcon) {
    Reset();
    if (!lowerLine || m_columns.OrderSide(column) < 0) {
        return false;
    }
    if (onIcon) {
        m_headerIconColumn = column;
        return false;
    }
    m_headerDragColumn = column;
    return true;
}

std::vector<LadderAction> LadderGestures::HeaderRelease(int column, bool lowerLine, bool onIcon,
                                                        const LadderHit& pointer) {
    std::vector<LadderAction> actions;
    if (m_headerIconColumn >= 0) {
        if (lowerLine && onIcon && column == m_headerIconColumn) {
            actions.push_back({Kind::CancelSide, -1, column, m_columns.OrderSide(column)});
        }
    } else if (m_headerDragColumn >= 0) {
        const int side = DragSide();
        if (pointer.area == LadderHit::Area::Header) {
            // Let go inside the header: the user changed their mind.
        } else if (IsRowHit(pointer) && m_columns.IsDropTarget(side, pointer.column)) {
            for (const OrderGroup& group : m_groups.All()) {
                if (group.side == side && group.row != pointer.row) {
                    actions.push_back({Kind::MoveGroup, group.row, m_headerDragColumn, side, pointer.row});
                }
            }
        } else {
            actions.push_back({Kind::CancelSide, -1, m_headerDragColumn, side});
        }
    }
    Reset();
    return actions;
}

std::vector<LadderAction> LadderGestures::HeaderDoubleClick(int column, bool lowerLine) {
    const int side = m_columns.OrderSide(column);
    if (!lowerLine || side < 0) {
        return {};
    }
    return {{Kind::CancelSide, -1, column, side}};
}

LadderCursor LadderGestures::CursorAt(const LadderHit& hit) const {
    if (!Dragging()) {
        return LadderCursor::Normal;
    }
    return IsRowHit(hit) && m_columns.IsDropTarget(DragSide(), hit.column) ? LadderCursor::Move
                                                                           : LadderCursor::Cancel;
}

LadderHover LadderGestures::HoverAt(const LadderHit& hit) const {
    if (Dragging() || !IsRowHit(hit)) {
        return {};
    }
    if (hit.onCancelIcon) {
        return {LadderHover::Kind::CancelIcon, hit.row, hit.column};
    }
    switch (m_columns.SideOf(hit.column)) {
        case 0:
            return {LadderHover::Kind::BuySide, hit.row, hit.column};
        case 1:
            return {LadderHover::Kind::SellSide, hit.row, hit.column};
        default:
            return {};
    }
}

void LadderGestures::Reset() {
    m_dragRow = m_dragColumn = -1;
    m_iconRow = m_iconColumn = -1;
    m_headerDragColumn = m_headerIconColumn = -1;
}

int LadderGestures::DragSide() const {
    return m_columns.OrderSide(m_dragRow >= 0 ? m_dragColumn : m_headerDragColumn);
}
