#include "quickmouse/QuickMouseDefaultStock.h"

#include <QDir>
#include <QFileInfo>

#include "platform/IniFile.h"

namespace QuickMouseDefaultStock {

namespace {
const QString kSection = QStringLiteral("默认合约");
const QString kKey = QStringLiteral("合约代码");
const QString kDefaultCode = QStringLiteral("600000");
}  // namespace

QString Path() {
    return QStringLiteral("../cfg/QuickMouse/QuickMouse.ini");
}

QString Read(const QString& path) {
    const QString code = Win::ReadProfileString(path, kSection, kKey, kDefaultCode).trimmed();
    return code.isEmpty() ? kDefaultCode : code;
}

bool Write(const QString& code, const QString& path) {
    if (code.trimmed().isEmpty() || !QDir().mkpath(QFileInfo(path).absolutePath())) {
        return false;
    }
    return Win::WriteProfileString(path, kSection, kKey, code.trimmed());
}

}  // namespace QuickMouseDefaultStock
