#pragma once

#include <QString>

// Where file orders live, from "../cfg/FileOrderCfg.ini" section "Main" (relative to the
// working folder). Folder paths may be relative to the working folder as well.
struct FileOrderConfig {
    static constexpr int kDefaultScanIntervalSeconds = 3;

    QString orderFolder;                                    // "订单文件路径": scanned for order files
    int scanIntervalSeconds = kDefaultScanIntervalSeconds;  // "文件扫描间隔"
    QString archiveFolder;   // "订单文件归档路径": order files move here when taken
    QString positionFolder;  // "持仓文件路径"
    QString moneyFolder;     // "资金文件路径"

    static QString DefaultPath() { return QStringLiteral("../cfg/FileOrderCfg.ini"); }

    // Missing keys keep their defaults (empty folders, 3 seconds). An interval below one second
    // would make the host's timer spin, so it falls back to 3 as well.
    static FileOrderConfig Load(const QString& path = DefaultPath());

    // Creates every configured folder that does not exist yet, so a fresh layout runs at once.
    void CreateMissingFolders() const;
};
