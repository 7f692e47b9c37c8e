#include "OrderFiles.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <cstdint>
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

namespace {

// Moves all of size bytes with read or write, which may each move fewer at a time.
template <class Transfer>
bool Fully(Transfer transfer, int fd, char* p, size_t size) {
    while (size > 0) {
        ssize_t n = transfer(fd, p, size);
        if (n <= 0) {
            return false;
        }
        p += n;
        size -= static_cast<size_t>(n);
    }
    return true;
}

bool ReadFully(int fd, void* buffer, size_t size) {
    return Fully(::read, fd, static_cast<char*>(buffer), size);
}

bool WriteFully(int fd, const void* buffer, size_t size) {
    auto write = [](int f, const char* p, size_t n) { return ::write(f, p, n); };
    return Fully(write, fd, static_cast<char*>(const_cast<void*>(buffer)), size);
}

// The child: only async-signal-safe calls, as it was forked from a threaded process.
[[noreturn]] void RunWriter(const char* path, int commands, int replies) {
    int fd = ::open(path, O_RDWR | O_CREAT | O_TRUNC, 0644);
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = DbfTable::kLockOffset;
    lock.l_len = DbfTable::kLockLength;
    char ok = (fd >= 0 && ::fcntl(fd, F_SETLKW, &lock) == 0) ? 1 : 0;
    WriteFully(replies, &ok, 1);
    char buffer[4096];
    for (;;) {
        char code = 0;
        uint32_t size = 0;
        if (!ReadFully(commands, &code, 1) || !ReadFully(commands, &size, sizeof size)) {
            ::_exit(1);
        }
        while (size > 0) {
            size_t chunk = size < sizeof buffer ? size : sizeof buffer;
            if (!ReadFully(commands, buffer, chunk) || !WriteFully(fd, buffer, chunk)) {
                ::_exit(1);
            }
            size -= static_cast<uint32_t>(chunk);
        }
        if (code == 'k') {
            ::kill(::getpid(), SIGKILL);
        }
        if (code == 'f') {
            ::close(fd);
            ::_exit(0);
        }
        WriteFully(replies, &ok, 1);
    }
}

}  // namespace

LockingWriter::LockingWriter(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    int commands[2];
    int replies[2];
    if (::pipe(commands) != 0 || ::pipe(replies) != 0) {
        throw std::runtime_error("pipe");
    }
    m_pid = ::fork();
    if (m_pid == 0) {
        ::close(commands[1]);
        ::close(replies[0]);
        RunWriter(name.constData(), commands[0], replies[1]);
    }
    ::close(commands[0]);
    ::close(replies[1]);
    m_commands = commands[1];
    m_replies = replies[0];
    char ok = 0;
    if (m_pid < 0 || !ReadFully(m_replies, &ok, 1) || !ok) {
        throw std::runtime_error("the writer could not lock " + path.toStdString());
    }
}

LockingWriter::~LockingWriter() {
    if (m_pid > 0) {
        Finish();
    }
    ::close(m_commands);
    ::close(m_replies);
}

void LockingWriter::Command(char code, const std::string& bytes) {
    const uint32_t size = static_cast<uint32_t>(bytes.size());
    WriteFully(m_commands, &code, 1);
    WriteFully(m_commands, &size, sizeof size);
    WriteFully(m_commands, bytes.data(), bytes.size());
}

void LockingWriter::Append(const std::string& bytes) {
    Command('a', bytes);
    char ok = 0;
    ReadFully(m_replies, &ok, 1);
}

void LockingWriter::Finish() {
    End('f');
}

void LockingWriter::Kill() {
    End('k');
}

void LockingWriter::End(char code) {
    if (m_pid <= 0) {
        return;
    }
    Command(code);
    ::waitpid(m_pid, nullptr, 0);
    m_pid = -1;
}

}  // namespace OrderFiles
