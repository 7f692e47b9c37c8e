#pragma once

#include <QPixmap>
#include <QString>

// The trading controls' own drawing of the theme images of category "交易", used when the
// terminal's theme has none:
//   spin buttons  "交易价量减少按钮背景图-正常态|悬浮态", "交易价量增加按钮背景图-正常态|悬浮态|选中态"
//                 (18 × 22)
//   stretched     "交易普通拉伸按钮背景图{左侧区,中间区,右侧区}-{正常态,悬浮态,选中态}" (4, 8, 4 × 24)
//                 "交易普通纵向拉伸按钮背景图{顶部区,中间区,底部区}-{…}" (24 × 4, 8, 4)
//   radio         "交易单选按钮背景图{未选中,选中}-{正常态,禁用态}" (14 × 14)
//   check box     "交易复选按钮背景图{未选中,选中}-正常态" (14 × 14)
// Null for any other name.
QPixmap DefaultTradeImage(const QString& name);
