#include "fileorder/FileOrderConfig.h"

#include <QDir>

#include "platform/IniFile.h"

namespace {
const QString kSection = QStringLiteral("Main");
}

FileOrderConfig FileOrderConfig::Load(const QString& path) {
    FileOrderConfig config;
    config.orderFolder = Win::ReadProfileString(path, kSection, QStringLiteral("订单文件路径"));
    config.archiveFolder = Win::ReadProfileString(path, kSection, QStringLiteral("订单文件归档路径"));
    config.positionFolder = Win::ReadProfileString(path, kSection, QStringLiteral("持仓文件路径"));
    config.moneyFolder = Win::ReadProfileString(path, kSection, QStringLiteral("资金文件路径"));
    int interval =
        Win::ReadProfileInt(path, kSection, QStringLiteral("文件扫描间隔"), kDefaultScanIntervalSeconds);
    config.scanIntervalSeconds = interval >= 1 ? interval : kDefaultScanIntervalSeconds;
    return config;
}

void FileOrderConfig::CreateMissingFolders() const {
    for (const QString& folder : {orderFolder, archiveFolder, positionFolder, moneyFolder}) {
        if (!folder.isEmpty()) {
            QDir().mkpath(folder);
        }
    }
}
