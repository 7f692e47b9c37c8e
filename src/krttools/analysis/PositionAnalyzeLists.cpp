#include "analysis/PositionAnalyzeLists.h"

#include <QDir>
#include <QPainter>
#include <initializer_list>

#include "CKrOwnerDrawList.h"
#include "platform/ColorRef.h"

namespace PositionAnalyzeLists {

namespace {

struct ColumnSpec {
    const char* title;
    const char* key;
    int width;
    int displayClass;
};

constexpr int kFigureWidth = 80;
constexpr uint32_t kBoxEdge = 0x8A8A8A;
constexpr uint32_t kTick = 0x2A6AD0;

void AddColumns(CKrOwnerDrawList& list, std::initializer_list<ColumnSpec> columns) {
    for (const ColumnSpec& c : columns) {
        list.InsertColumn(QString::fromUtf8(c.title), QString::fromLatin1(c.key), c.width, c.displayClass);
    }
    list.SetSummaryLastRow(true);
}

void AddGreekColumns(CKrOwnerDrawList& list, int width, const char* suffix) {
    for (const auto& [title, key] :
         {std::pair{"Delta", "Delta"}, std::pair{"Gamma", "Gamma"}, std::pair{"Theta", "Theta"},
          std::pair{"Vega", "Vega"}, std::pair{"Rho", "Rho"}, std::pair{"时间价值", "TimeValue"}}) {
        list.InsertColumn(QString::fromUtf8(title), QString::fromLatin1(key) + QString::fromLatin1(suffix),
                          width, CKrOwnerDrawList::kSignedFigure);
    }
}

// "选择": a check box, ticked for "1"; the total row has none.
bool DrawCheckBox(QPainter& painter, const QRect& cell, int, const QString& text) {
    if (text.isEmpty()) {
        return true;
    }
    const QRect box(cell.center().x() - 6, cell.center().y() - 6, 12, 12);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Win::FromColorRef(kBoxEdge));
    painter.setBrush(Qt::white);
    painter.drawRect(box);
    if (text.toInt() != 0) {
        painter.setPen(QPen(Win::FromColorRef(kTick), 2));
        painter.drawPolyline(QPolygon(
            {box.topLeft() + QPoint(2, 6), box.topLeft() + QPoint(5, 9), box.topLeft() + QPoint(10, 3)}));
    }
    return true;
}

void DrawPicture(QPainter& painter, const QRect& area, const QImage& picture, const QString& plain) {
    if (picture.isNull()) {
        painter.drawText(area, Qt::AlignCenter, plain);
        return;
    }
    const QSize size = picture.size().boundedTo(area.size());
    painter.drawImage(
        QRect(QPoint(area.center().x() - size.width() / 2 + 1, area.center().y() - size.height() / 2 + 1),
              size),
        picture);
}

}  // namespace

Bitmaps Bitmaps::Load() {
    const QDir folder(QDir::current().filePath(QStringLiteral("Skins/Default/strategytrading")));
    return {QImage(folder.filePath(QStringLiteral("s-.bmp"))),
            QImage(folder.filePath(QStringLiteral("s+.bmp"))),
            QImage(folder.filePath(QStringLiteral("p10.bmp")))};
}

void SetUpRealList(CKrOwnerDrawList& list) {
    AddColumns(list, {{"选择", "Check", 30, CKrOwnerDrawList::kText},
                      {"名称", "64", 120, CKrOwnerDrawList::kText},
                      {"合约", "63", 64, CKrOwnerDrawList::kText},
                      {"买卖", "270", 48, CKrOwnerDrawList::kText},
                      {"持仓", "135", 48, CKrOwnerDrawList::kNumber},
                      {"最新价", "138", 64, CKrOwnerDrawList::kNumber},
                      {"成交均价", "136", 64, CKrOwnerDrawList::kNumber},
                      {"浮动盈亏", "141", 64, CKrOwnerDrawList::kNumber}});
    AddGreekColumns(list, kFigureWidth, "_o");
    list.SetCellPainter(QStringLiteral("Check"), DrawCheckBox);
}

void SetUpSimulatedList(CKrOwnerDrawList& list, const Bitmaps& bitmaps) {
    AddColumns(list, {{"选择", "Check", 30, CKrOwnerDrawList::kText},
                      {"名称", "64", 120, CKrOwnerDrawList::kText},
                      {"合约", "63", 64, CKrOwnerDrawList::kText},
                      {"买卖", "270", 48, CKrOwnerDrawList::kText},
                      {"数量", "135", 48, CKrOwnerDrawList::kNumber},
                      {"最新价", "138", 64, CKrOwnerDrawList::kNumber}});
    AddGreekColumns(list, kFigureWidth, "_o");
    list.SetCellPainter(QStringLiteral("Check"), DrawCheckBox);
    list.SetCellPainter(QStringLiteral("135"), [&list, bitmaps](QPainter& painter, const QRect& cell, int row,
                                                                const QString&) {
        if (row == list.GetItemCount() - 1) {
            return false;  // the total row has no buttons
        }
        painter.setPen(Qt::black);
        DrawPicture(painter, QRect(cell.left(), cell.top(), kButtonWidth, cell.height()), bitmaps.minus,
                    QStringLiteral("-"));
        DrawPicture(painter, QRect(cell.right() - kButtonWidth + 1, cell.top(), kButtonWidth, cell.height()),
                    bitmaps.plus, QStringLiteral("+"));
        return false;
    });
    list.SetCellPainter(QStringLiteral("270"), [&list, bitmaps](QPainter& painter, const QRect& cell, int row,
                                                                const QString& text) {
        if (row == list.GetItemCount() - 1) {
            return false;
        }
        // The text keeps clear of the mark at the right edge.
        painter.setPen(Qt::black);
        painter.drawText(cell.adjusted(0, 0, -kButtonWidth + 2, 0), Qt::AlignCenter, text);
        DrawPicture(painter, QRect(cell.right() - kButtonWidth + 1, cell.top(), kButtonWidth, cell.height()),
                    bitmaps.dropDown, QStringLiteral("▾"));
        return true;
    });
}

void SetUpSumList(CKrOwnerDrawList& list) {
    AddGreekColumns(list, 120, "");
    list.SetSummaryLastRow(false);
}

}  // namespace PositionAnalyzeLists
