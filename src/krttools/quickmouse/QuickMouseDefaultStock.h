#pragma once

#include <QString>

// The stock the stock quick-mouse window opens on: "..\cfg\QuickMouse\QuickMouse.ini" (relative
// to the terminal's working folder), section "默认合约", key "合约代码". The window reads it when
// it starts and writes the code it shows when it closes.
namespace QuickMouseDefaultStock {

QString Path();
// The code in the file; "600000" when the file, its key or its value is missing.
QString Read(const QString& path = Path());
// Writes the code, creating the folder and the file when missing; false when it cannot.
bool Write(const QString& code, const QString& path = Path());

}  // namespace QuickMouseDefaultStock
