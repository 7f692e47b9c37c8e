#pragma once

#include <json/value.h>

#include <string>
#include <string_view>
#include <variant>

#include "analysis/AnalyzeParameters.h"
#include "kora/interface/QuoteKey.h"

// The positions file of `krt-optcalc sweep`: a Json object {"underlying": identity, "params":
// parameter set, "positions": [position records]}, with the position risk model's keys and text
// values. A member left out (or null) reads as empty; one of another kind is an error.
struct SweepPositions {
    Kora::Interface::QuoteKey underlying;
    AnalyzeParameters parameters;
    Json::Value positions{Json::arrayValue};
};

// The error text says what is wrong with the file.
std::variant<SweepPositions, std::string> ParseSweepPositions(std::string_view text);
