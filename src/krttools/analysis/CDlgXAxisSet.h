#pragma once

#include "CKrDlg.h"

class CKrAmountHSpinEdit;
class QLabel;
class QSlider;

// "横轴设定" (template 11007): the half-width of the position risk window's sweeps, as a
// percentage of the swept value ("标的价格变动范围", 0 to 100 %), and how many labels the charts'
// X axes carry at least ("X轴坐标点个数"). "确定" takes a count below 4 as 4, after saying so
// (titled "提示"), and closes with OK.
class CDlgXAxisSet : public CKrDlg {
    Q_OBJECT
public:
    static constexpr int kTemplateId = 11007;
    enum ControlId {
        kRangeSlider = 11100,
        kCountEdit = 11101,
        kRangeLabel = 11103,
        kOkButton = 1,
        kCancelButton = 2
    };
    static constexpr int kLeastLabelCount = 4;

    CDlgXAxisSet(double persent, int labelCount, QWidget* parent = nullptr);

    // The half-width as a fraction (the slider's percentage / 100).
    double Persent() const { return m_persent; }
    int LabelCount() const { return m_labelCount; }

    // "确定".
    void Confirm();

private:
    QSlider* m_slider;
    QLabel* m_rangeText;
    CKrAmountHSpinEdit* m_count;
    double m_persent;
    int m_labelCount;
};
