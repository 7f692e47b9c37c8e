// Feeds arbitrary bytes to the dBase reader as if they were an order file. Whatever the header
// claims, the reader must answer a status without touching memory outside the input, and a
// table it accepts must hold no more than it can.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "fileorder/DbfTable.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    DbfTable table;
    const DbfTable::Status status =
        DbfTable::Parse(std::string_view(reinterpret_cast<const char*>(data), size), table);
    const Json::Value rows = table.Rows();
    if (status != DbfTable::Status::Ok && rows.size() != 0) {
        __builtin_trap();
    }
    std::vector<int> deleted;
    table.Rows(&deleted);
    if (table.Fields().size() > static_cast<size_t>(DbfTable::kMaxFields) ||
        table.RecordCount() > DbfTable::kMaxRecords ||
        rows.size() + deleted.size() != static_cast<size_t>(table.RecordCount())) {
        __builtin_trap();
    }
    for (const DbfTable::Field& field : table.Fields()) {
        if (field.offset + field.width > table.RecordWidth()) {
            __builtin_trap();
        }
    }
    return 0;
}
