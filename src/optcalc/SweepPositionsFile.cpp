#include "SweepPositionsFile.h"

#include "kora/utility/JsonAccess.h"

namespace {

bool MemberIs(const Json::Value& file, const char* key, Json::ValueType type) {
    return !file.isMember(key) || file[key].isNull() || file[key].type() == type;
}

}  // namespace

std::variant<SweepPositions, std::string> ParseSweepPositions(std::string_view text) {
    Json::Value file;
    std::string errors;
    if (!Kora::Utility::JsonParse(std::string(text), file, &errors)) {
        return "not valid Json: " + errors;
    }
    if (!file.isObject()) {
        return std::string("must hold a Json object");
    }
    if (!MemberIs(file, "underlying", Json::objectValue) || !MemberIs(file, "params", Json::objectValue) ||
        !MemberIs(file, "positions", Json::arrayValue)) {
        return std::string("\"underlying\" and \"params\" must be objects and \"positions\" an array");
    }
    SweepPositions read;
    read.underlying = Kora::Interface::QuoteKey::FromJson(file["underlying"]);
    read.parameters = AnalyzeParameters::FromJson(file["params"]);
    if (file["positions"].isArray()) {
        read.positions = file["positions"];
    }
    return read;
}
