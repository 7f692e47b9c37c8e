#include "analysis/CDlgXAxisSet.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <cmath>

#include "CKrAmountHSpinEdit.h"
#include "KRUI.h"
#include "platform/ControlId.h"

CDlgXAxisSet::CDlgXAxisSet(double persent, int labelCount, QWidget* parent)
    : CKrDlg(kTemplateId, parent), m_persent(persent), m_labelCount(labelCount) {
    setWindowTitle(QStringLiteral("横轴设定"));
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("标的价格变动范围"), this), 0, 0);
    m_slider = new QSlider(Qt::Horizontal, this);
    Win::SetControlId(m_slider, kRangeSlider);
    m_slider->setRange(0, 100);
    m_slider->setMinimumWidth(180);
    m_slider->setValue(static_cast<int>(std::lround(persent * 100)));
    grid->addWidget(m_slider, 0, 1);
    m_rangeText = new QLabel(this);
    Win::SetControlId(m_rangeText, kRangeLabel);
    m_rangeText->setMinimumWidth(40);
    m_rangeText->setText(QString::asprintf("%d%%", m_slider->value()));
    grid->addWidget(m_rangeText, 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("X轴坐标点个数"), this), 1, 0);
    m_count = new CKrAmountHSpinEdit(this);
    Win::SetControlId(m_count, kCountEdit);
    m_count->SetValue(labelCount);
    grid->addWidget(m_count, 1, 1);
    layout->addLayout(grid);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    Win::SetControlId(ok, kOkButton);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    Win::SetControlId(cancel, kCancelButton);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(m_slider, &QSlider::valueChanged, this, [this](int position) {
        m_rangeText->setText(QString::asprintf("%d%%", position));
        m_persent = position / 100.0;
    });
    connect(ok, &QPushButton::clicked, this, [this] { Confirm(); });
    connect(cancel, &QPushButton::clicked, this, [this] { done(QDialog::Rejected); });
}

void CDlgXAxisSet::Confirm() {
    m_labelCount = static_cast<int>(m_count->Value());
    if (m_labelCount < kLeastLabelCount) {
        KRUI_MsgBox(this, QStringLiteral("X坐标轴刻度不能小于默认值4，已恢复默认值!"), QStringLiteral("提示"),
                    Win::MB_OK);
        m_labelCount = kLeastLabelCount;
        m_count->SetValue(m_labelCount);
    }
    done(QDialog::Accepted);
}
