#pragma once

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
// Bytes(rows) with the deletion flag ('*') set on the records numbered (from 0) in deleted.
std::string BytesWithDeleted(const std::vector<Row>& rows, const std::vector<int>& deleted);
void WriteBytes(const QString& path, const std::string& bytes);
void Write(const QString& path, const std::vector<Row>& rows = {Row{}});
// The rows of a table file as DbfTable::Rows gives them; null when the file cannot be read.
Json::Value Rows(const QString& path);

// Writes a table in place the way GDAL's dBase writer does, one step at a time: the file is
// created holding one zero byte; the header goes in with a record count of 0 and the end-of-file
// byte; each record is written over the end byte, followed by a new one; the count is filled in
// last, when the writer closes. No lock is taken.
class InPlaceWriter {
public:
    InPlaceWriter(const QString& path, const std::vector<Row>& rows);
    // Takes the next step; false once the file is complete.
    bool Step();

private:
    void WriteAt(qint64 offset, const std::string& bytes);
    QString m_path;
    std::string m_bytes;  // the complete file
    size_t m_headerLength = 0;
    size_t m_recordWidth = 0;
    size_t m_records = 0;
    size_t m_step = 0;
};

// A writer holding the lock region of a file while it writes, as real writers do.
class LockingWriter {
public:
    explicit LockingWriter(const QString& path);
    ~LockingWriter();
    LockingWriter(const LockingWriter&) = delete;
    LockingWriter& operator=(const LockingWriter&) = delete;

    // Appends bytes to the file; they are there when it returns.
    void Append(const std::string& bytes);
    // Lets go of the lock.
    void Finish();

private:
    QString m_path;
    int m_fd = -1;
};

}  // namespace OrderFiles
