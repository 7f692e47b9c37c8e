#pragma once

#include <QImage>
#include <QString>
#include <utility>
#include <vector>

namespace Terminal::Services {

// The theme's images, drawn rather than loaded, by category and name:
//   "交易"        the stretched button parts "交易普通拉伸按钮背景图{左侧区,中间区,右侧区}-{正常态,
//                 悬浮态,选中态}" (6×28, 8×28, 6×28) and "交易普通纵向拉伸按钮背景图{顶部区,中间区,
//                 底部区}-{...}" (28×6, 28×8, 28×6); radio buttons "交易单选按钮背景图{未选中,选中}-
//                 {正常态,禁用态}" and check boxes "交易复选按钮背景图{未选中,选中}-正常态" (16×16);
//                 the spin buttons "交易价量减少按钮背景图-{正常态,悬浮态}" and "交易价量增加按钮背景图-
//                 {正常态,悬浮态,选中态}" (16×16); "交易代码锁定按钮背景图" and "交易代码解锁按钮背景图"
//                 (20×20 padlocks), "交易登录界面设置按钮背景图" (16×16 gear), "交易关闭按钮背景图"
//                 (16×16 cross) and "交易买入按钮背景图" (80×28).
//   "期权专业版"  "问号" (16×16).
// Any other category or name gives a null image. Needs a QGuiApplication (text and fonts).
QImage DrawThemeImage(const QString& category, const QString& name);

// Every (category, name) that DrawThemeImage draws.
std::vector<std::pair<QString, QString>> ThemeImageNames();

}  // namespace Terminal::Services
