#pragma once

#include <sys/types.h>
#include <QString>
#include <string>
#include <vector>

#include "fileorder/DbfTable.h"

// Order files as outside programs write them, and writers that misbehave the way real ones do.
namespace OrderFiles {

struct Row {
    std::string exchange = "SSE";
    std::string contract = "10004567";
    std::string direction = "1";
    std::string offset = "0";
    std::string covered = "0";
    std::string volume = "1";
};

// EXCHANGE, CONTRACT, DIRECTION, OFFSETFLAG, COVERED as text, VOLUME as a number.
DbfTable Table(const std::vector<Row>& rows);
std::string Bytes(const std::vector<Row>& rows);
void WriteBytes(const QString& path, const std::string& bytes);
void Write(const QString& path, const std::vector<Row>& rows = {Row{}});
// The rows of a table file as DbfTable::Rows gives them; null when the file cannot be read.
Json::Value Rows(const QString& path);

// A second process holding the lock region of a file, as a writer does while it writes (the
// locks are per process, so the reader must meet a lock held elsewhere). Bytes can be added to
// the file while the lock is held; the writer lets go normally or dies without finishing.
class LockingWriter {
public:
    explicit LockingWriter(const QString& path);
    ~LockingWriter();
    LockingWriter(const LockingWriter&) = delete;
    LockingWriter& operator=(const LockingWriter&) = delete;

    // Appends bytes to the file; they are there when it returns.
    void Append(const std::string& bytes);
    // Lets go of the lock and ends the process normally.
    void Finish();
    // Ends the process at once, as a writer that crashed mid-file.
    void Kill();

private:
    void End(bool crash);
    QString m_path;
    pid_t m_pid = -1;
    int m_release = -1;
};

}  // namespace OrderFiles
