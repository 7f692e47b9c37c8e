#pragma once

#include <QSet>
#include <QString>
#include <vector>

#include "ladder/LadderTypes.h"

// The ladder's working orders, grouped by (row, side) as the order cells show them, with the
// running volume of each side. An identifier belongs to at most one group.
class WorkingOrderGroups {
public:
    // Adds the order to the group of its row and side, starting one when there is none.
    // Answers the group's index, or -1 when the order is refused: an empty or already known
    // identifier, a volume of 0 or less, or a side other than 0 and 1.
    int Add(const LadderOrder& order, int row);
    // Answers false for an index that is not a group.
    bool RemoveAt(int index);
    void Clear();

    int Find(int row, int side) const;
    const OrderGroup* At(int index) const;
    const std::vector<OrderGroup>& All() const { return m_groups; }
    int Count() const { return static_cast<int>(m_groups.size()); }
    int Total(int side) const { return side == 0 ? m_buyTotal : m_sellTotal; }
    bool Contains(const QString& id) const { return m_ids.contains(id); }

private:
    std::vector<OrderGroup> m_groups;
    QSet<QString> m_ids;
    int m_buyTotal = 0;
    int m_sellTotal = 0;
};
