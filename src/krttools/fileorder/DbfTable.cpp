#include "fileorder/DbfTable.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFileInfo>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <mutex>
#include <unordered_set>

namespace {

constexpr size_t kHeaderSize = 32;
constexpr size_t kDescriptorSize = 32;
constexpr char kTerminator = 0x0D;
constexpr char kEndOfFile = 0x1A;

uint16_t ReadU16(const char* p) {
    return static_cast<uint16_t>(static_cast<uint8_t>(p[0]) | (static_cast<uint8_t>(p[1]) << 8));
}

uint32_t ReadU32(const char* p) {
    return static_cast<uint32_t>(ReadU16(p)) | (static_cast<uint32_t>(ReadU16(p + 2)) << 16);
}

void PutU16(std::string& out, size_t at, uint16_t v) {
    out[at] = static_cast<char>(v & 0xFF);
    out[at + 1] = static_cast<char>(v >> 8);
}

void PutU32(std::string& out, size_t at, uint32_t v) {
    PutU16(out, at, static_cast<uint16_t>(v & 0xFFFF));
    PutU16(out, at + 2, static_cast<uint16_t>(v >> 16));
}

// Version bytes of the dBase family whose layout this reader understands (dBase III to 5 with
// or without memo, FoxBASE, FoxPro).
bool IsDbfVersion(uint8_t v) {
    switch (v) {
        case 0x02:
        case 0x03:
        case 0x30:
        case 0x31:
        case 0x32:
        case 0x43:
        case 0x63:
        case 0x83:
        case 0x8B:
        case 0xCB:
        case 0xF5:
        case 0xFB:
            return true;
        default:
            return false;
    }
}

bool IsPadding(char c) {
    return c == ' ' || c == '\0';
}

std::string_view TrimEnd(std::string_view s) {
    while (!s.empty() && IsPadding(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

std::string_view Trim(std::string_view s) {
    s = TrimEnd(s);
    while (!s.empty() && IsPadding(s.front())) {
        s.remove_prefix(1);
    }
    return s;
}

// A numeric field's text as a Json number: integers stay integers ("10" is 10), anything with
// a fraction or exponent is a real. Blank or malformed text ("***" of an overflowed field) is
// null, so a reader can tell it from a real 0.
Json::Value NumericValue(std::string_view text) {
    text = Trim(text);
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
    }
    if (text.empty()) {
        return Json::Value();
    }
    const char* first = text.data();
    const char* last = first + text.size();
    int64_t integer = 0;
    auto [intEnd, intError] = std::from_chars(first, last, integer);
    if (intError == std::errc() && intEnd == last) {
        return Json::Value(static_cast<Json::Int64>(integer));
    }
    double real = 0;
    auto [realEnd, realError] = std::from_chars(first, last, real);
    if (realError == std::errc() && realEnd == last) {
        return Json::Value(real);
    }
    return Json::Value();
}

// Field names recur in every row of every file. Keeping one process-wide copy of each lets the
// rows refer to it instead of copying the name into every row object. The pool is bounded, so
// files with ever new names cannot grow it without limit; names past it are copied as usual.
const char* SharedFieldName(const std::string& name) {
    constexpr size_t kMaxSharedNames = 4096;
    static std::mutex lock;
    static std::unordered_set<std::string> pool;
    std::lock_guard guard(lock);
    auto found = pool.find(name);
    if (found != pool.end()) {
        return found->c_str();
    }
    return pool.size() < kMaxSharedNames ? pool.insert(name).first->c_str() : nullptr;
}

// Every text is the row's own copy: rows end up in requests that the host keeps, and a text
// that pointed into this library would dangle once the component is unloaded.
Json::Value TextValue(std::string_view text) {
    return Json::Value(text.data(), text.data() + text.size());
}

struct FileCloser {
    int fd;
    ~FileCloser() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
};

bool SetLock(int fd, short type) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = DbfTable::kLockOffset;
    lock.l_len = DbfTable::kLockLength;
    while (::fcntl(fd, F_SETLK, &lock) != 0) {
        if (errno == EINTR) {
            continue;
        }
        // A file system without byte-range locks cannot tell us about a writer either way.
        return errno != EACCES && errno != EAGAIN;
    }
    return true;
}

bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

}  // namespace

bool DbfTable::AddField(std::string name, char type, uint8_t width, uint8_t decimals) {
    if (m_recordCount > 0 || static_cast<int>(m_fields.size()) >= kMaxFields ||
        m_recordWidth + width > kMaxRecordWidth) {
        return false;
    }
    if (name.size() > static_cast<size_t>(kMaxNameLength)) {
        name.resize(kMaxNameLength);
    }
    const char* shared = SharedFieldName(name);
    Json::Value& member = shared ? m_rowShape[Json::StaticString(shared)] : m_rowShape[name];
    member = static_cast<Json::UInt>(m_fields.size());  // a later field of the same name wins
    m_memberFields.clear();
    for (const Json::Value& index : m_rowShape) {
        m_memberFields.push_back(index.asUInt());
    }
    m_fields.push_back({std::move(name), type, width, decimals, static_cast<uint16_t>(m_recordWidth)});
    m_recordWidth += width;
    return true;
}

bool DbfTable::AddRecord(const std::vector<std::string>& values) {
    if (m_recordCount >= kMaxRecords) {
        return false;
    }
    if (m_image) {
        m_records.assign(RecordBytes());
        m_image.reset();
        m_recordsOffset = 0;
    }
    std::string record(static_cast<size_t>(m_recordWidth), ' ');
    for (size_t i = 0; i < m_fields.size() && i < values.size(); ++i) {
        const Field& field = m_fields[i];
        size_t length = std::min(values[i].size(), static_cast<size_t>(field.width));
        record.replace(field.offset, length, values[i], 0, length);
    }
    m_records += record;
    ++m_recordCount;
    return true;
}

std::string_view DbfTable::RecordBytes() const {
    const size_t size = static_cast<size_t>(m_recordCount) * m_recordWidth;
    return m_image ? m_image->View().substr(m_recordsOffset, size)
                   : std::string_view(m_records).substr(0, size);
}

std::string_view DbfTable::Record(int i) const {
    if (i < 0 || i >= m_recordCount) {
        return {};
    }
    return RecordBytes().substr(static_cast<size_t>(i) * m_recordWidth, static_cast<size_t>(m_recordWidth));
}

Json::Value DbfTable::Row(int i) const {
    const std::string_view record = Record(i);
    if (record.empty()) {
        return Json::Value(Json::objectValue);
    }
    // Copying the shape builds the row's members without looking each name up, then the values
    // are filled in in member order.
    Json::Value row = m_rowShape;
    auto fieldIndex = m_memberFields.begin();
    for (Json::Value& member : row) {
        const Field& field = m_fields[*fieldIndex++];
        const std::string_view text = record.substr(field.offset, field.width);
        member = field.type == 'N' ? NumericValue(text) : TextValue(TrimEnd(text));
    }
    return row;
}

bool DbfTable::IsDeleted(int i) const {
    const std::string_view record = Record(i);
    return !record.empty() && record.front() != ' ';
}

Json::Value DbfTable::Rows(std::vector<int>* deletedRecords) const {
    std::vector<int> live;
    live.reserve(static_cast<size_t>(m_recordCount));
    for (int i = 0; i < m_recordCount; ++i) {
        if (!IsDeleted(i)) {
            live.push_back(i);
        } else if (deletedRecords) {
            deletedRecords->push_back(i);
        }
    }
    Json::Value rows(Json::arrayValue);
    if (!live.empty()) {
        rows.resize(static_cast<Json::ArrayIndex>(live.size()));
    }
    for (size_t k = 0; k < live.size(); ++k) {
        rows[static_cast<Json::ArrayIndex>(k)] = Row(live[k]);
    }
    return rows;
}

DbfTable::Status DbfTable::ReadFile(const QString& path, DbfTable& table) {
    table = DbfTable();
    // Non-blocking, so a pipe or device that carries an order file's name cannot hang the scan.
    FileCloser file{::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK)};
    if (file.fd < 0) {
        return errno == ENOENT ? Status::Missing : Status::Incomplete;
    }
    struct stat info {};
    if (::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        return Status::NotDbf;
    }
    if (!SetLock(file.fd, F_RDLCK)) {
        return Status::Locked;
    }
    // Only what the header claims is read (the records the table can hold, and the end-of-file
    // byte after them), however large the file is; whether the file holds exactly what it
    // claims is told by its length.
    const uint64_t fileLength = static_cast<uint64_t>(info.st_size);
    const FileBytes header = FileBytes::Read(file.fd, 0, std::min<uint64_t>(fileLength, kHeaderSize));
    uint64_t wanted = fileLength;
    if (header.Size() == kHeaderSize) {
        const uint64_t records = std::min<uint64_t>(ReadU32(header.Data() + 4), kMaxRecords);
        const uint64_t claimed = ReadU16(header.Data() + 8) + records * ReadU16(header.Data() + 10);
        wanted = std::min(fileLength, std::max<uint64_t>(claimed + 1, kHeaderSize));
    }
    std::shared_ptr<const FileBytes> bytes;
    try {
        bytes = std::make_shared<const FileBytes>(FileBytes::Read(file.fd, 0, wanted));
    } catch (const std::bad_alloc&) {
        return Status::NotDbf;
    }
    SetLock(file.fd, F_UNLCK);
    return ParseImage(std::move(bytes), fileLength, table);
}

DbfTable::Status DbfTable::Parse(std::string_view bytes, DbfTable& table) {
    return ParseImage(std::make_shared<const FileBytes>(bytes), bytes.size(), table);
}

DbfTable::Status DbfTable::ParseImage(std::shared_ptr<const FileBytes> bytes, uint64_t length,
                                      DbfTable& table) {
    table = DbfTable();
    if (length < kHeaderSize || bytes->Size() < kHeaderSize) {
        return Status::Incomplete;
    }
    const char* data = bytes->Data();
    const uint8_t version = static_cast<uint8_t>(data[0]);
    if (version == 0) {
        // Space reserved by a writer that has not filled the header in yet.
        return Status::Incomplete;
    }
    if (!IsDbfVersion(version)) {
        return Status::NotDbf;
    }
    const uint32_t recordCount = ReadU32(data + 4);
    const size_t headerLength = ReadU16(data + 8);
    const size_t recordWidth = ReadU16(data + 10);
    if (headerLength < kHeaderSize + 1) {
        return Status::NotDbf;
    }
    if (length < headerLength || bytes->Size() < headerLength) {
        return Status::Incomplete;
    }

    // The descriptors run up to the terminator, which must lie inside the header. Offsets are
    // computed from the widths: several writers leave the offset bytes zero.
    DbfTable parsed;
    size_t at = kHeaderSize;
    size_t widthSum = 1;
    bool keeping = true;
    while (at < headerLength && data[at] != kTerminator) {
        if (at + kDescriptorSize > headerLength) {
            return Status::NotDbf;
        }
        const char* d = data + at;
        const uint8_t width = static_cast<uint8_t>(d[16]);
        keeping = keeping && parsed.AddField(std::string(d, strnlen(d, kMaxNameLength)), d[11], width,
                                             static_cast<uint8_t>(d[17]));
        widthSum += width;
        at += kDescriptorSize;
    }
    if (at >= headerLength) {
        return Status::NotDbf;
    }
    if (recordWidth == 0 || widthSum != recordWidth) {
        return Status::NotDbf;
    }
    // Complete means exactly the records the header counts, optionally followed by the
    // end-of-file byte. Writers that fill the count in only when they close (GDAL's among them)
    // leave it 0, or behind the records, while they append; a file with more bytes than its
    // count accounts for is one of those, still being written.
    const uint64_t end = headerLength + static_cast<uint64_t>(recordCount) * recordWidth;
    // Past kMaxRecords the end byte lies beyond what was read; its place is all that is checked.
    const bool endByteFits = end >= bytes->Size() || data[end] == kEndOfFile;
    if (length != end && !(length == end + 1 && endByteFits)) {
        return Status::Incomplete;
    }
    const uint32_t kept = std::min<uint32_t>(recordCount, kMaxRecords);
    if (static_cast<uint64_t>(kept) * recordWidth > bytes->Size() - headerLength) {
        return Status::Incomplete;  // the file shrank while it was read
    }
    parsed.m_recordWidth = static_cast<int>(recordWidth);
    parsed.m_recordCount = static_cast<int>(kept);
    parsed.m_recordsOffset = headerLength;
    parsed.m_image = std::move(bytes);
    table = std::move(parsed);
    return Status::Ok;
}

std::string DbfTable::Serialize(const QDate& date) const {
    const size_t headerLength = kHeaderSize + kDescriptorSize * m_fields.size() + 1;
    const size_t recordBytes = static_cast<size_t>(m_recordCount) * m_recordWidth;
    std::string out(headerLength, '\0');
    out.reserve(headerLength + recordBytes + 1);
    out[0] = 3;
    out[1] = static_cast<char>(date.year() - 1900);
    out[2] = static_cast<char>(date.month());
    out[3] = static_cast<char>(date.day());
    PutU32(out, 4, static_cast<uint32_t>(m_recordCount));
    PutU16(out, 8, static_cast<uint16_t>(headerLength));
    PutU16(out, 10, static_cast<uint16_t>(m_recordWidth));
    size_t at = kHeaderSize;
    for (const Field& field : m_fields) {
        out.replace(at, field.name.size(), field.name);
        out[at + 11] = field.type;
        PutU16(out, at + 12, field.offset);
        out[at + 16] = static_cast<char>(field.width);
        out[at + 17] = static_cast<char>(field.decimals);
        at += kDescriptorSize;
    }
    out[at] = kTerminator;
    out.append(RecordBytes());
    out.push_back(kEndOfFile);
    return out;
}

bool DbfTable::WriteFile(const QString& path, const QDate& date) const {
    // The temporary name keeps the target's stem but not its ".dbf", so a scanner watching the
    // folder never takes it for a table.
    QFileInfo target(path);
    QString stem = target.fileName();
    if (stem.endsWith(QStringLiteral(".dbf"), Qt::CaseInsensitive)) {
        stem.chop(4);
    }
    QByteArray pattern =
        QFile::encodeName(target.absolutePath() + QStringLiteral("/.") + stem + QStringLiteral(".XXXXXX"));
    FileCloser file{::mkstemp(pattern.data())};
    if (file.fd < 0) {
        return false;
    }
    bool written = WriteAll(file.fd, Serialize(date)) && ::fchmod(file.fd, 0644) == 0;
    written = ::close(file.fd) == 0 && written;
    file.fd = -1;
    if (!written ||
        ::rename(pattern.constData(), QFile::encodeName(target.absoluteFilePath()).constData()) != 0) {
        ::unlink(pattern.constData());
        return false;
    }
    return true;
}
