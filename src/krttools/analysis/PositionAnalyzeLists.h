#pragma once

#include <QImage>

class CKrOwnerDrawList;

// The three lists of the position risk window: their columns (title, record key, width, display
// class) and the pictures in their cells. The last row of each is the total row.
namespace PositionAnalyzeLists {

// The pictures of the simulated list, from the working folder's
// "Skins/Default/strategytrading/": "s-.bmp" and "s+.bmp" (the quantity's minus and plus
// buttons) and "p10.bmp" (the direction's drop-down mark). A picture that cannot be read is
// drawn plainly instead.
struct Bitmaps {
    QImage minus;
    QImage plus;
    QImage dropDown;

    static Bitmaps Load();
};

// The quantity cell's buttons and the drop-down mark are this wide, at the cell's edges.
inline constexpr int kButtonWidth = 16;

void SetUpRealList(CKrOwnerDrawList& list);
void SetUpSimulatedList(CKrOwnerDrawList& list, const Bitmaps& bitmaps);
void SetUpSumList(CKrOwnerDrawList& list);

}  // namespace PositionAnalyzeLists
