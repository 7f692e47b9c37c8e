#pragma once

#include <QString>
#include <cstdint>

// The name of an order file: account '_' word '_' sequence ".dbf", e.g. "A1_Order_5.dbf". A
// name counts as an order file when it contains "Order" and ".dbf" anywhere, as the outside
// programs that write them have always relied on.
struct OrderFileName {
    static constexpr int kMaxFieldLength = 48;

    QString fileName;
    QString account;       // field 1, at most 48 characters
    int64_t sequence = 0;  // field 3 read as a decimal number; 0 when it is not one

    static bool IsOrderFile(const QString& fileName);
    // Names the scanner itself gave to files it set aside ("_忽略", "_错误"). Such a file keeps
    // its original sequence field, so without this check it would be read after a restart.
    static bool IsSetAside(const QString& fileName);
    static OrderFileName Parse(const QString& fileName);
    // The name with marker inserted before ".dbf": "A_Order_5.dbf" → "A_Order_5_忽略.dbf".
    static QString WithMarker(const QString& fileName, const QString& marker);
};

namespace OrderFileMarker {
inline const QString kIgnored = QStringLiteral("_忽略");
inline const QString kBroken = QStringLiteral("_错误");
}  // namespace OrderFileMarker
