#include "analysis/CDlgOptionSellAnalySet.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

#include "KRUI.h"
#include "platform/ControlId.h"

using OptionPricing::SellLadder;
using OptionPricing::SellLadderFault;

namespace {

// An empty entry keeps the value in effect; otherwise the whole text must be the number.
bool ReadEntry(const QLineEdit& edit, double& value) {
    const QString text = edit.text().trimmed();
    if (text.isEmpty()) {
        return true;
    }
    bool ok = false;
    const double read = text.toDouble(&ok);
    if (!ok || !std::isfinite(read)) {
        return false;
    }
    value = read;
    return true;
}

QString FaultText(SellLadderFault fault) {
    switch (fault) {
        case SellLadderFault::kStep:
            return QStringLiteral("每档价格变动百分比必须大于 0!");
        case SellLadderFault::kRows:
            return QStringLiteral("上下档数必须是 1 到 %1 之间的整数!").arg(OptionPricing::kMaxRowsEachSide);
        case SellLadderFault::kReach:
            return QStringLiteral("每档价格变动百分比与档数之积必须小于 100!");
        case SellLadderFault::kCalmer:
            return QStringLiteral("波动率趋平的百分比必须不小于 0 且小于 100!");
        case SellLadderFault::kWilder:
            return QStringLiteral("波动率加剧的百分比必须不小于 0 且小于 100!");
        case SellLadderFault::kNone:
            break;
    }
    return {};
}

}  // namespace

CDlgOptionSellAnalySet::CDlgOptionSellAnalySet(const SellLadder& inEffect, QWidget* parent)
    : CKrDlg(kTemplateId, parent), m_ladder(inEffect) {
    setWindowTitle(QStringLiteral("参数设置"));
    auto* layout = new QVBoxLayout(this);

    auto* prices = new QGroupBox(QStringLiteral("价格变动设置"), this);
    auto* priceGrid = new QGridLayout(prices);
    AddEntry(priceGrid, 0, QStringLiteral("每档价格变动百分比为"), kStepEdit, inEffect.stepPercent,
             QStringLiteral("%"));
    AddEntry(priceGrid, 1, QStringLiteral("选择当前价格及上下"), kRowsEdit, inEffect.rowsEachSide,
             QStringLiteral("档价格进行分析"));
    layout->addWidget(prices);

    auto* volatility = new QGroupBox(QStringLiteral("波动率设置"), this);
    auto* volatilityGrid = new QGridLayout(volatility);
    AddEntry(volatilityGrid, 0, QStringLiteral("波动率趋平--比正常波动率低："), kCalmerEdit,
             inEffect.calmerPercent, QStringLiteral("%"));
    AddEntry(volatilityGrid, 1, QStringLiteral("波动率加剧--比正常波动率高："), kWilderEdit,
             inEffect.wilderPercent, QStringLiteral("%"));
    layout->addWidget(volatility);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    Win::SetControlId(ok, kOkButton);
    ok->setDefault(true);
    buttons->addWidget(ok);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, [this] { Confirm(); });
}

QLineEdit* CDlgOptionSellAnalySet::AddEntry(QGridLayout* grid, int row, const QString& before, int id,
                                            double inEffect, const QString& after) {
    grid->addWidget(new QLabel(before, this), row, 0);
    auto* edit = new QLineEdit(this);
    Win::SetControlId(edit, id);
    edit->setPlaceholderText(QString::number(inEffect));
    edit->setFixedWidth(60);
    grid->addWidget(edit, row, 1);
    grid->addWidget(new QLabel(after, this), row, 2);
    return edit;
}

void CDlgOptionSellAnalySet::Confirm() {
    auto refuse = [this](const QString& text) {
        KRUI_MsgBox(this, text, QStringLiteral("提示"), Win::MB_OK);
    };
    SellLadder ladder = m_ladder;
    if (!ReadEntry(*Win::FindControl<QLineEdit>(this, kStepEdit), ladder.stepPercent) ||
        !ReadEntry(*Win::FindControl<QLineEdit>(this, kCalmerEdit), ladder.calmerPercent) ||
        !ReadEntry(*Win::FindControl<QLineEdit>(this, kWilderEdit), ladder.wilderPercent)) {
        refuse(QStringLiteral("请输入数字!"));
        return;
    }
    if (const QString rows = Win::FindControl<QLineEdit>(this, kRowsEdit)->text().trimmed();
        !rows.isEmpty()) {
        bool ok = false;
        ladder.rowsEachSide = rows.toInt(&ok);
        if (!ok) {
            refuse(FaultText(SellLadderFault::kRows));
            return;
        }
    }
    if (const SellLadderFault fault = OptionPricing::CheckSellLadder(ladder);
        fault != SellLadderFault::kNone) {
        refuse(FaultText(fault));
        return;
    }
    m_ladder = ladder;
    done(QDialog::Accepted);
}
