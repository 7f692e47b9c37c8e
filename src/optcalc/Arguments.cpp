#include "Arguments.h"

#include <charconv>
#include <cstdlib>
#include <cstring>

namespace {

bool ParseInt(const char* text, int32_t& value) {
    const char* end = text + std::strlen(text);
    auto [ptr, ec] = std::from_chars(text, end, value);
    return ec == std::errc() && ptr == end && ptr != text;
}

bool ParseDouble(const char* text, double& value) {
    char* end = nullptr;
    value = std::strtod(text, &end);
    return end != text && *end == '\0';
}

struct Parse {
    const char* text;
    bool operator()(int32_t* value) const { return ParseInt(text, *value); }
    bool operator()(double* value) const { return ParseDouble(text, *value); }
};

}  // namespace

bool ParseArguments(char** args, int count, std::initializer_list<Argument> arguments) {
    if (count != static_cast<int>(arguments.size())) {
        return false;
    }
    for (const Argument& argument : arguments) {
        if (!std::visit(Parse{*args++}, argument)) {
            return false;
        }
    }
    return true;
}
