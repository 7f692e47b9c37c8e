#pragma once

#include <QWidget>
#include <cstdint>

// The panel of the volumes that can still be opened: "买<=" with the buy volume above the
// middle line, "卖<=" with the sell volume below it. A double click in the upper area sends the
// parent QuickMouseMsg::kSetVolume with the buy volume, in the lower area with the sell volume.
class COpenInfo : public QWidget {
    Q_OBJECT
public:
    explicit COpenInfo(QWidget* parent = nullptr);

    void SetTexts(const QString& buy, const QString& sell);
    const QString& BuyText() const { return m_buyText; }
    const QString& SellText() const { return m_sellText; }

    // The side (0 buy, 1 sell) whose volume a double click at the point sends, -1 when none:
    // the middle line and the two pixels below it belong to neither.
    int SideAt(const QPoint& pos) const;

    // Theme font "期货快鼠持仓普通", taken again.
    void ReloadThemeFont();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    uint32_t m_frameColour = 0xAFA298;
    uint32_t m_buyColour = 0x2122C6;
    uint32_t m_sellColour = 0x307100;
    QString m_buyText;
    QString m_sellText;
    QFont m_font;
};
