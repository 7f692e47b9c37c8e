#pragma once

#include "CKrDlg.h"
#include "option/pricing/ShortOptionAnalysis.h"

class QLineEdit;

// "参数设置" (template 11010): the seller analysis's price ladder and volatility regimes. The
// entries start empty, each showing in grey the value in effect, which an empty entry keeps.
// "确定" refuses a ladder that cannot be drawn with a message titled "提示" and otherwise
// closes with OK; Ladder() is then what the analysis uses.
class CDlgOptionSellAnalySet : public CKrDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 11010;
    enum ControlId { kStepEdit = 11201, kRowsEdit, kCalmerEdit, kWilderEdit, kOkButton };

    CDlgOptionSellAnalySet(const OptionPricing::SellLadder& inEffect, QWidget* parent = nullptr);

    const OptionPricing::SellLadder& Ladder() const { return m_ladder; }

    // "确定".
    void Confirm();

private:
    QLineEdit* AddEntry(class QGridLayout* grid, int row, const QString& before, int id, double inEffect,
                        const QString& after);

    OptionPricing::SellLadder m_ladder;
};
