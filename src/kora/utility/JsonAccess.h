#pragma once

#include <json/value.h>

#include <QString>
#include <cstdint>
#include <string>

#include "kora/utility/Export.h"

namespace Kora::Utility {

// Tolerant readers for Json records that come from the other side of the boundary. A member that
// is missing, null or of a type that cannot be read as asked gives the fallback; none of them
// throws. Numbers held as text ("135": "10") and text held as numbers are both read, because host
// records keep many numbers as formatted text.

// A member of an object; a null value when value is not an object or has no such member.
KORA_API const Json::Value& Member(const Json::Value& value, const char* key);

KORA_API int64_t JsonInt(const Json::Value& value, int64_t fallback = 0);
KORA_API double JsonDouble(const Json::Value& value, double fallback = 0.0);
KORA_API bool JsonBool(const Json::Value& value, bool fallback = false);
// Text of a string, or the decimal form of a number or boolean; fallback otherwise.
KORA_API std::string JsonText(const Json::Value& value, const std::string& fallback = {});
KORA_API QString JsonWText(const Json::Value& value, const QString& fallback = {});

inline int64_t JsonInt(const Json::Value& object, const char* key, int64_t fallback = 0) {
    return JsonInt(Member(object, key), fallback);
}
inline double JsonDouble(const Json::Value& object, const char* key, double fallback = 0.0) {
    return JsonDouble(Member(object, key), fallback);
}
inline bool JsonBool(const Json::Value& object, const char* key, bool fallback = false) {
    return JsonBool(Member(object, key), fallback);
}
inline std::string JsonText(const Json::Value& object, const char* key, const std::string& fallback = {}) {
    return JsonText(Member(object, key), fallback);
}
inline QString JsonWText(const Json::Value& object, const char* key, const QString& fallback = {}) {
    return JsonWText(Member(object, key), fallback);
}

// Compact one-line form, for logs and journals.
KORA_API std::string JsonToLine(const Json::Value& value);
// Parses text; false (and value untouched) when it is not valid Json, with the reader's account
// of why in `errors` when given.
KORA_API bool JsonParse(const std::string& text, Json::Value& value, std::string* errors = nullptr);

}  // namespace Kora::Utility
