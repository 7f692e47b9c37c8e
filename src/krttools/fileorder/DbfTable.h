#pragma once

#include <json/value.h>

#include <QDate>
#include <QString>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fileorder/FileBytes.h"

// A dBase III table (no memo) as order files and the position and money files hold it.
//
// Reading trusts nothing in a header: every count, length and width is checked against the
// bytes actually present before anything is touched, so a truncated, hostile or half-written
// file answers a status instead of rows. Writing goes to a temporary file beside the target
// and is renamed into place, so a reader sees the old file or the new one, never a mixture.
class DbfTable {
public:
    static constexpr int kMaxFields = 50;
    static constexpr int kMaxRecordWidth = 8192;
    static constexpr int kMaxRecords = 300000;
    static constexpr int kMaxNameLength = 10;
    // Writers of order files lock this region while they write; the reader takes a shared lock
    // on it so it never reads a file that is being written.
    static constexpr int64_t kLockOffset = int64_t(1) << 30;
    static constexpr int64_t kLockLength = (int64_t(1) << 30) - 1;

    struct Field {
        std::string name;
        char type = 'C';
        uint8_t width = 0;
        uint8_t decimals = 0;
        uint16_t offset = 0;  // within the record; the deletion flag is byte 0
    };

    enum class Status {
        Ok,
        Missing,     // the file does not exist (any more)
        Locked,      // a writer holds the lock region
        Incomplete,  // not exactly the length its header claims, or empty: perhaps still being written
        NotDbf,      // a complete header that contradicts itself: not a dBase table
    };

    DbfTable() = default;

    // Adds a field at the end of the record. False, and nothing added, once kMaxFields exist,
    // when the record would grow past kMaxRecordWidth, or once records exist.
    bool AddField(std::string name, char type, uint8_t width, uint8_t decimals = 0);
    // Appends one record of field texts (in field order), each cut or space-padded to its width.
    // False beyond kMaxRecords.
    bool AddRecord(const std::vector<std::string>& values);

    const std::vector<Field>& Fields() const { return m_fields; }
    int RecordWidth() const { return m_recordWidth; }
    int RecordCount() const { return m_recordCount; }
    // Record i with its deletion flag, RecordWidth() bytes.
    std::string_view Record(int i) const;

    // Record i as a Json object keyed by field name: 'N' fields as numbers (null when blank or
    // not a number), every other type as text without its trailing padding.
    Json::Value Row(int i) const;
    // A record whose deletion flag (its first byte) is anything but a blank.
    bool IsDeleted(int i) const;
    // Every record that is not deleted so, as a Json array; the numbers (from 0) of the deleted
    // ones go to deletedRecords.
    Json::Value Rows(std::vector<int>* deletedRecords = nullptr) const;

    // Reads a file, taking the shared lock without waiting. On any status but Ok the table is
    // left empty.
    static Status ReadFile(const QString& path, DbfTable& table);
    // Parses a whole file's bytes. Fields past kMaxFields or kMaxRecordWidth and records past
    // kMaxRecords are dropped, as the table cannot hold them.
    static Status Parse(std::string_view bytes, DbfTable& table);

    // The file image: header dated `date`, descriptors, 0x0D, records, 0x1A.
    std::string Serialize(const QDate& date) const;
    // Writes the file image to a temporary file in the target's folder and renames it over the
    // target. False (target untouched, no temporary left) when any step fails.
    bool WriteFile(const QString& path, const QDate& date = QDate::currentDate()) const;

private:
    // Parses the first bytes of a file of `length` bytes: the claims of the header are checked
    // against length, and only what lies within bytes is touched.
    static Status ParseImage(std::shared_ptr<const FileBytes> bytes, uint64_t length, DbfTable& table);
    // The bytes of every record, one after another.
    std::string_view RecordBytes() const;

    std::vector<Field> m_fields;
    // The members every row has, and in member order the index of the field that fills each.
    // Names come from a process-wide pool where possible, so rows refer to them, not copy them.
    Json::Value m_rowShape{Json::objectValue};
    std::vector<size_t> m_memberFields;
    int m_recordWidth = 1;
    int m_recordCount = 0;
    // A parsed file keeps its whole image, records from m_recordsOffset on, rather than copying
    // them out; records added one by one are kept in m_records. The image is never changed, so
    // copies of a table share it.
    std::shared_ptr<const FileBytes> m_image;
    size_t m_recordsOffset = 0;
    std::string m_records;
};
