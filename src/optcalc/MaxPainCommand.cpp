#include "MaxPainCommand.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "MaxPainChainFile.h"

namespace {

constexpr int kBadInput = 2;

int Refuse(const std::string& text) {
    std::fprintf(stderr, "krt-optcalc: %s\n", text.c_str());
    return kBadInput;
}

}  // namespace

int RunMaxPainCommand(int count, char** args) {
    if (count != 1) {
        return Refuse("maxpain takes one FILE");
    }
    const std::string path = args[0];
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open() || std::filesystem::is_directory(path)) {
        return Refuse("cannot read " + path);
    }
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) {
        return Refuse("cannot read " + path);
    }
    auto parsed = ParseMaxPainChain(text);
    if (const auto* error = std::get_if<ChainFileError>(&parsed)) {
        return Refuse(path + ":" + std::to_string(error->line) + ": " + error->message);
    }
    const auto result = OptionPricing::MaxPain(std::get<0>(parsed));
    if (!result) {
        return Refuse(path + ": the divisors' least common multiple is above " +
                      std::to_string(OptionPricing::kMaxPainDivisorLimit));
    }
    std::printf("%.17g\n", result->price);
    for (const OptionPricing::MaxPainPoint& point : result->points) {
        std::printf("%.17g %.17g %.17g\n", point.price, point.callPain, point.putPain);
    }
    return 0;
}
