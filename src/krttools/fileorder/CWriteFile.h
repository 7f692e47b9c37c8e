#pragma once

#include <json/value.h>

#include <QString>
#include <mutex>

#include "fileorder/FileOrderConfig.h"
#include "kernel/MsgReceiver.h"

// Publishes a stock-option account's state for the outside program as two dBase files,
// "<account>_Position.dbf" and "<account>_Money.dbf", rewritten whenever the host reports that
// the account's positions changed; and archives an order file announced on "Offline_OrderFile"
// that is still in the order folder.
//
// Every field is text ('C', width 48), named by the member names of the first row in ascending
// byte order. "Voume" is spelled so: the programs that read the position file use that name.
class CWriteFile : public Kora::Kernel::MsgReceiver {
public:
    static constexpr int kFieldWidth = 48;

    explicit CWriteFile(FileOrderConfig config);
    ~CWriteFile() override;

    void OnMsg(const QString& topic, const Json::Value& payload, const Json::Value& extra) override;

    // Rewrites both files of the account from the engine; nothing for accounts of other
    // categories or without an engine service.
    void WriteAccountFiles(const QString& accountId);
    void ArchiveOrderFile(const QString& fileName);

    // The file rows built from the engine's records (an array of records, or one record).
    static Json::Value PositionRows(const Json::Value& positions);
    static Json::Value MoneyRows(const Json::Value& money);
    // Writes rows as a table of text fields; false when the file could not be replaced.
    static bool WriteRows(const QString& path, const Json::Value& rows);

private:
    void WriteFile(const QString& folder, const QString& name, const Json::Value& rows);

    const FileOrderConfig m_config;
    std::recursive_mutex m_lock;
};
