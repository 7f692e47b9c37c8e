#pragma once

#include <json/value.h>

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <string>
#include <vector>

// The run layout of a terminal that trades through order files, in a temporary folder:
//   bin/                   the working folder (--workdir)
//   cfg/FileOrderCfg.ini   naming the folders below, with the given scan interval
//   FileOrder/Order, Archive, Position, Money
//   journal.jsonl          the terminal's journal (--journal)
class FileOrderLayout {
public:
    explicit FileOrderLayout(int scanSeconds);

    bool IsValid() const { return m_valid; }
    QString WorkDir() const;
    QString JournalPath() const;
    QString Folder(const QString& name) const;
    QStringList Files(const QString& folder) const;
    QString OrderFilePath(const QString& account, int sequence) const;
    // The combination requests in the journal so far, in the order the terminal received them.
    std::vector<Json::Value> Combinations() const;

private:
    QTemporaryDir m_root;
    bool m_valid = false;
};

// The first leg's contract of each combination request (journal lines), in their order.
std::vector<std::string> FirstLegContracts(const std::vector<Json::Value>& combinations);

// krt-terminal of the run layout (KRT_DIST_BIN, or the given folder), headless on a live market.
class TerminalProcess {
public:
    explicit TerminalProcess(QString binFolder = {});
    ~TerminalProcess();

    // Starts the terminal on the layout and waits until it has loaded the component.
    bool Start(const FileOrderLayout& layout, bool autoConfirm);
    // Asks it to quit; answers its exit code (-1 when it did not end normally).
    int Stop();
    QString ErrorOutput() const { return m_errors; }

private:
    QString m_binFolder;
    QProcess m_process;
    QString m_errors;
};
