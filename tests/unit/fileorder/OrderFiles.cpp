#include "OrderFiles.h"

#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <stdexcept>

namespace OrderFiles {

DbfTable Table(const std::vector<Row>& rows) {
    DbfTable table;
    table.AddField("EXCHANGE", 'C', 8);
    table.AddField("CONTRACT", 'C', 16);
    table.AddField("DIRECTION", 'C', 1);
    table.AddField("OFFSETFLAG", 'C', 1);
    table.AddField("COVERED", 'C', 1);
    table.AddField("VOLUME", 'N', 10);
    for (const Row& row : rows) {
        std::string volume = row.volume;
        volume.insert(0, volume.size() < 10 ? 10 - volume.size() : 0, ' ');
        table.AddRecord({row.exchange, row.contract, row.direction, row.offset, row.covered, volume});
    }
    return table;
}

std::string Bytes(const std::vector<Row>& rows) {
    return Table(rows).Serialize(QDate(2024, 5, 17));
}

std::string BytesWithDeleted(const std::vector<Row>& rows, const std::vector<int>& deleted) {
    const DbfTable table = Table(rows);
    const size_t headerLength = 32 + 32 * table.Fields().size() + 1;
    std::string bytes = Bytes(rows);
    for (int record : deleted) {
        bytes[headerLength + static_cast<size_t>(record) * static_cast<size_t>(table.RecordWidth())] = '*';
    }
    return bytes;
}

void WriteBytes(const QString& path, const std::string& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
        throw std::runtime_error("cannot write " + path.toStdString());
    }
}

void Write(const QString& path, const std::vector<Row>& rows) {
    WriteBytes(path, Bytes(rows));
}

Json::Value Rows(const QString& path) {
    DbfTable table;
    return DbfTable::ReadFile(path, table) == DbfTable::Status::Ok ? table.Rows() : Json::Value();
}

InPlaceWriter::InPlaceWriter(const QString& path, const std::vector<Row>& rows)
    : m_path(path), m_bytes(Bytes(rows)), m_records(rows.size()) {
    const DbfTable table = Table(rows);
    m_headerLength = 32 + 32 * table.Fields().size() + 1;
    m_recordWidth = static_cast<size_t>(table.RecordWidth());
}

bool InPlaceWriter::Step() {
    const size_t step = m_step++;
    if (step == 0) {
        WriteBytes(m_path, std::string(1, '\0'));
    } else if (step == 1) {
        std::string header = m_bytes.substr(0, m_headerLength) + '\x1A';
        header.replace(4, 4, 4, '\0');
        WriteAt(0, header);
    } else if (step < 2 + m_records) {
        const size_t at = m_headerLength + (step - 2) * m_recordWidth;
        WriteAt(static_cast<qint64>(at), m_bytes.substr(at, m_recordWidth) + '\x1A');
    } else if (step == 2 + m_records) {
        WriteAt(0, m_bytes.substr(0, 32));
    }
    return step < 2 + m_records;
}

void InPlaceWriter::WriteAt(qint64 offset, const std::string& bytes) {
    QFile file(m_path);
    if (!file.open(QIODevice::ReadWrite) || !file.seek(offset) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) != static_cast<qint64>(bytes.size())) {
        throw std::runtime_error("cannot write into " + m_path.toStdString());
    }
}

// An open-file-description lock conflicts with the reader's record lock even within this
// process, so the writer needs no process of its own.
LockingWriter::LockingWriter(const QString& path)
    : m_path(path), m_fd(::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_TRUNC, 0644)) {
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = DbfTable::kLockOffset;
    lock.l_len = DbfTable::kLockLength;
    if (m_fd < 0 || ::fcntl(m_fd, F_OFD_SETLK, &lock) != 0) {
        Finish();
        throw std::runtime_error("the writer could not lock " + path.toStdString());
    }
}

LockingWriter::~LockingWriter() {
    Finish();
}

void LockingWriter::Append(const std::string& bytes) {
    if (::write(m_fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) {
        throw std::runtime_error("cannot append to " + m_path.toStdString());
    }
}

void LockingWriter::Finish() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

}  // namespace OrderFiles
