#include "kora/utility/JsonAccess.h"

#include <json/reader.h>
#include <json/writer.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <memory>

namespace Kora::Utility {

namespace {

const Json::Value& NullValue() {
    static const Json::Value null;
    return null;
}

bool ParseInteger(const std::string& text, int64_t& out) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    long long v = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || end == text.c_str()) {
        return false;
    }
    // "12.5" reads as 12, as the C run-time conversions the records were written for do.
    out = v;
    return true;
}

bool ParseReal(const std::string& text, double& out) {
    if (text.empty()) {
        return false;
    }
    char* end = nullptr;
    double v = std::strtod(text.c_str(), &end);
    if (end == text.c_str()) {
        return false;
    }
    out = v;
    return true;
}

}  // namespace

const Json::Value& Member(const Json::Value& value, const char* key) {
    if (!value.isObject()) {
        return NullValue();
    }
    const Json::Value* found = value.find(key, key + std::char_traits<char>::length(key));
    return found ? *found : NullValue();
}

int64_t JsonInt(const Json::Value& value, int64_t fallback) {
    switch (value.type()) {
        case Json::intValue:
            return value.asInt64();
        case Json::uintValue:
            return value.asUInt64() > static_cast<uint64_t>(std::numeric_limits<int64_t>::max())
                       ? fallback
                       : static_cast<int64_t>(value.asUInt64());
        case Json::realValue: {
            double d = value.asDouble();
            if (!std::isfinite(d) || d >= 9.2e18 || d <= -9.2e18) {
                return fallback;
            }
            return static_cast<int64_t>(d);
        }
        case Json::booleanValue:
            return value.asBool() ? 1 : 0;
        case Json::stringValue: {
            int64_t v = 0;
            return ParseInteger(value.asString(), v) ? v : fallback;
        }
        default:
            return fallback;
    }
}

double JsonDouble(const Json::Value& value, double fallback) {
    switch (value.type()) {
        case Json::intValue:
        case Json::uintValue:
        case Json::realValue:
            return value.asDouble();
        case Json::booleanValue:
            return value.asBool() ? 1.0 : 0.0;
        case Json::stringValue: {
            double v = 0;
            return ParseReal(value.asString(), v) ? v : fallback;
        }
        default:
            return fallback;
    }
}

bool JsonBool(const Json::Value& value, bool fallback) {
    switch (value.type()) {
        case Json::booleanValue:
            return value.asBool();
        case Json::intValue:
        case Json::uintValue:
        case Json::realValue:
            return value.asDouble() != 0.0;
        case Json::stringValue: {
            const std::string& s = value.asString();
            if (s == "true" || s == "1") {
                return true;
            }
            if (s == "false" || s == "0") {
                return false;
            }
            return fallback;
        }
        default:
            return fallback;
    }
}

std::string JsonText(const Json::Value& value, const std::string& fallback) {
    switch (value.type()) {
        case Json::stringValue:
            return value.asString();
        case Json::intValue:
        case Json::uintValue:
        case Json::realValue:
        case Json::booleanValue:
            return value.asString();
        default:
            return fallback;
    }
}

QString JsonWText(const Json::Value& value, const QString& fallback) {
    if (value.isString() || value.isNumeric() || value.isBool()) {
        return QString::fromStdString(value.asString());
    }
    return fallback;
}

std::string JsonToLine(const Json::Value& value) {
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    builder["emitUTF8"] = true;
    return Json::writeString(builder, value);
}

bool JsonParse(const std::string& text, Json::Value& value) {
    Json::CharReaderBuilder builder;
    std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
    Json::Value parsed;
    std::string errors;
    try {
        if (!reader->parse(text.data(), text.data() + text.size(), &parsed, &errors)) {
            return false;
        }
    } catch (const Json::Exception&) {
        return false;  // the reader throws, rather than fails, on nesting deeper than it allows
    }
    value = std::move(parsed);
    return true;
}

}  // namespace Kora::Utility
