#pragma once

#include <QString>

class LadderModel;
class QWidget;

// How a concrete ladder hands its three requests to the window that owns it: as the messages of
// QuickMouseMsg, sent to `owner` (a Win::MessageWindow). Every ladder window reads them alike,
// whichever ladder it shows.
namespace LadderOwnerRequests {

// A limit order from the volume column `column` at `row` (mode 0), or at the ladder's top
// (mode 1) or bottom (mode -1) price; nothing from any other column or on an empty ladder.
void PlaceOrder(QWidget* owner, const LadderModel& model, int row, int column, int mode);
void CancelOrder(QWidget* owner, const QString& orderId);
void MoveOrder(QWidget* owner, const QString& orderId, const QString& priceText);

}  // namespace LadderOwnerRequests
