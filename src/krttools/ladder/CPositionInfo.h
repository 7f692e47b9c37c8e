#pragma once

#include <QWidget>
#include <cstdint>

struct PositionSideTotals;

// The panel of one side's position beside the ladder: the volume over the floating profit,
// with the side's label ("多仓" or "空仓") in a column at the right. The owner sets the texts
// and colours; a double click reports doubleClicked(), upon which the owner takes SecondText()
// as its order volume.
class CPositionInfo : public QWidget {
    Q_OBJECT
public:
    static constexpr double kProfitEpsilon = 1e-8;

    explicit CPositionInfo(QWidget* parent = nullptr);

    void SetFrameColour(uint32_t colorRef);
    void SetSideColour(uint32_t colorRef);
    void SetSideLabel(const QString& label);
    // "%d" or "%d(%d)"; empty (drawn as "—") when there is no position.
    void SetVolumeText(const QString& text);
    const QString& VolumeText() const { return m_volumeText; }
    // The plain number the double click hands to the owner; not drawn.
    void SetSecondText(const QString& text) { m_secondText = text; }
    const QString& SecondText() const { return m_secondText; }
    // A decimal number; drawn red above 0, green otherwise.
    void SetProfitText(const QString& text);
    const QString& ProfitText() const { return m_profitText; }

    // Shows one side's totals, the profit with `profitDecimals` decimals. Quotes come many times
    // a second: the panel repaints only when what it shows changed.
    void ShowTotals(const PositionSideTotals& totals, int profitDecimals);

    // What the panel shows in its two halves, as drawn.
    QString ShownVolume() const;
    QString ShownProfit() const;
    // COLORREF of the profit text.
    uint32_t ProfitColour() const;

    // Theme fonts "期货快鼠持仓加粗" and "期货快鼠持仓普通", taken again.
    void ReloadThemeFonts();

signals:
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    uint32_t m_frameColour = 0xAFA298;
    uint32_t m_sideColour = 0x2122C6;
    QString m_sideLabel = QStringLiteral("多");
    QString m_volumeText;
    QString m_secondText;
    QString m_profitText;
    QFont m_boldFont;
    QFont m_normalFont;
};
