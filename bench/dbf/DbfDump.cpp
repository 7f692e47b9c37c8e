// krt-dbfdump [--count] FILE: reads a dBase table with the terminal's reader, turning every
// record into the Json row the file-order window receives, and writes the rows to standard
// output, one compact Json object per line; with --count it prints only how many rows it read.
// bench/dbf_vs_peers.sh compares it with other readers of the format.

#include <json/writer.h>

#include <QString>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>

#include "fileorder/DbfTable.h"

int main(int argc, char** argv) {
    const bool countOnly = argc == 3 && std::strcmp(argv[1], "--count") == 0;
    if (argc != 2 && !countOnly) {
        std::fprintf(stderr, "usage: krt-dbfdump [--count] FILE\n");
        return 2;
    }
    const char* path = argv[argc - 1];
    DbfTable table;
    const DbfTable::Status status = DbfTable::ReadFile(QString::fromLocal8Bit(path), table);
    if (status != DbfTable::Status::Ok) {
        std::fprintf(stderr, "krt-dbfdump: %s is not a complete dBase table (status %d)\n", path,
                     static_cast<int>(status));
        return 1;
    }
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    builder["emitUTF8"] = true;
    const std::unique_ptr<Json::StreamWriter> writer(builder.newStreamWriter());
    std::ios::sync_with_stdio(false);
    // Row by row, as the programs it is compared with stream theirs.
    long rows = 0;
    for (int i = 0; i < table.RecordCount(); ++i) {
        const Json::Value row = table.Row(i);
        if (!countOnly) {
            writer->write(row, &std::cout);
            std::cout << '\n';
        }
        rows += row.isObject() ? 1 : 0;
    }
    if (countOnly) {
        std::cout << rows << '\n';
    }
    return std::cout.flush() ? 0 : 1;
}
