#pragma once

#include "ladder/BestLevelMarks.h"
#include "ladder/CMouseOrderList.h"

// The futures ladder. Its requests go to its parent window as the messages of QuickMouseMsg
// (kPlaceOrder, kCancelOrder, kMoveOrder, sent; the parent must be a Win::MessageWindow), and
// its price column marks the five best ask and bid levels with labelled boxes.
class CKRMouselist : public CMouseOrderList {
    Q_OBJECT
public:
    explicit CKRMouselist(QWidget* parent = nullptr);

    void SetBestQuote(const LadderBestQuote& quote) override;
    void ClearBestQuote() override;
    const BestLevelMarks& Levels() const { return m_levels; }

    void PlaceOrder(int row, int column, int mode) override;
    void CancelOrder(const QString& orderId) override;
    void MoveOrder(const QString& orderId, const QString& priceText) override;

protected:
    void DrawPriceCell(QPainter& painter, const QRect& cell, const QString& text, int row) override;
    void OnLadderReset() override;
    // Left of the ask box when the row carries one, so the two never overlap.
    QRect MarkRect(const QRect& cell, int row) const override;

private:
    BestLevelMarks m_levels;
};
