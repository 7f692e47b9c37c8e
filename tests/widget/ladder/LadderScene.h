#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QString>
#include <QWidget>
#include <memory>
#include <vector>

#include "ladder/CKRMouselist.h"
#include "platform/WinMessage.h"

// A window that owns a futures ladder and records every request the ladder sends it.
class LadderOwner : public QWidget, public Win::MessageWindow {
public:
    struct Request {
        Win::UINT message = 0;
        QString text;         // price text (place), identifier (cancel, move), volume (change)
        QString targetPrice;  // move
        Win::LPARAM direction = 0;
        std::vector<QString> ids;  // change volume
    };

    LadderOwner();
    Win::LRESULT OnMessage(Win::UINT message, Win::WPARAM wParam, Win::LPARAM lParam) override;

    CKRMouselist& Ladder() { return *m_ladder; }
    // The requests of one kind, in the order they came.
    std::vector<Request> Sent(Win::UINT message) const;
    std::vector<Request> requests;

private:
    CKRMouselist* m_ladder;
};

// A contract quoted around 3512 with tick 1: limits 3300–3700 (401 rows), reference 3506,
// the day's range 3488–3530, five levels a side, two buy orders at 3505 (1 + 2 lots), one
// sell order at 3518 (5 lots) and a long position from 3503.
namespace LadderScene {

constexpr double kLast = 3512;
constexpr double kReference = 3506;

void Populate(CKRMouselist& ladder);
// The row of a price on the scene's ladder.
int RowOf(const CKRMouselist& ladder, double price);

}  // namespace LadderScene

// The scene on a shown owner, for tests that paint it or drive it with the mouse.
class LadderSceneTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner.show();
        // The page settles its size before the scene is measured.
        QCoreApplication::processEvents();
        LadderScene::Populate(ladder());
    }
    CKRMouselist& ladder() { return owner.Ladder(); }
    int rowOf(double price) { return LadderScene::RowOf(ladder(), price); }
    // A cell's rectangle in the ladder's cell viewport.
    QRect cellRect(double price, int column) { return ladder().CellRect(rowOf(price), column); }
    QRect cancelIcon(double price, int column) {
        return CMouseOrderList::CancelIconRect(cellRect(price, column), column == 0 ? 0 : 1);
    }

    LadderOwner owner;
};
