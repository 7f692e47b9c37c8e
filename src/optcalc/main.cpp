// krt-optcalc: the option valuation routines from the command line. The valuations print one
// Json object on stdout; the analyses (sell, maxpain) print plain lines (see their commands). Bad
// arguments print the usage on stderr and exit with 2.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "Arguments.h"
#include "MaxPainCommand.h"
#include "SellCommand.h"
#include "option/pricing/ImpliedVolatility.h"
#include "option/pricing/NormalDistribution.h"
#include "option/pricing/OptionGreeks.h"
#include "option/pricing/RangeProbability.h"

namespace {

constexpr const char* kUsage =
    "usage: krt-optcalc greeks PUT TYPE S K SIGMA R T\n"
    "       krt-optcalc iv PUT TYPE S K SIGMA0 R T PRICE\n"
    "       krt-optcalc range TYPE S UPPER LOWER SIGMA R T\n"
    "       krt-optcalc cdf X\n"
    "       krt-optcalc sell PUT TYPE STYLE S K SIGMA_H R DAYS PRICE QTY DECIMALS\n"
    "       krt-optcalc maxpain FILE\n"
    "PUT: non-zero for a put; TYPE: 0 spot formulas, non-zero forward formulas (integers).\n"
    "Numbers are decimal (nan and inf are accepted and valued as out of range).\n"
    "sell: the seller analysis of writing QTY options at PRICE, with a historical volatility\n"
    "  SIGMA_H, rate R (0.035 for 3.5 %), DAYS days left (valued over DAYS + 1), STYLE 0\n"
    "  European, 1 American, 2 Bermudan, and price labels with DECIMALS (0 to 15) decimals.\n"
    "  Prints iv, theory, delta, gamma, theta, vega and rho, one \"name value\" a line; then one\n"
    "  line a price row, highest first: \"label profit p_low p_normal p_high\" (the chance of\n"
    "  ending near that price when volatility calms by 5 %, stays, or rises by 5 %), price rows\n"
    "  10 % of S apart, four each side of S; then \"average a_low a_normal a_high\".\n"
    "maxpain: FILE holds one strike a line, STRIKE,CALL_OI,PUT_OI,DIVISOR (integers, any order;\n"
    "  STRIKE is price x DIVISOR; an empty CALL_OI or PUT_OI is an unknown contract and adds\n"
    "  nothing). Prints the maximum-pain price (-1 without strikes), then per strike in\n"
    "  ascending order: price, call pain, put pain. A malformed line is named on stderr.\n";

constexpr int kBadArguments = 2;

// Json has no NaN or infinity; such a result prints as null.
void PrintNumber(double value) {
    if (std::isfinite(value)) {
        std::printf("%.17g", value);
    } else {
        std::printf("null");
    }
}

void PrintObject(std::initializer_list<std::pair<const char*, double>> members) {
    std::printf("{");
    const char* separator = "";
    for (const auto& [name, value] : members) {
        std::printf("%s\"%s\":", separator, name);
        PrintNumber(value);
        separator = ",";
    }
    std::printf("}\n");
}

int Usage() {
    std::fputs(kUsage, stderr);
    return kBadArguments;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        return Usage();
    }
    const std::string_view command = argv[1];
    char** args = argv + 2;
    const int count = argc - 2;
    int32_t put = 0;
    int32_t type = 0;
    double S = 0, K = 0, sigma = 0, r = 0, T = 0;

    if (command == "greeks") {
        if (!ParseArguments(args, count, {&put, &type, &S, &K, &sigma, &r, &T})) {
            return Usage();
        }
        const OptionPricing::OptionGreeks g =
            OptionPricing::OptionPriceAndGreeks(put, type, S, K, sigma, r, T);
        PrintObject({{"price", g.price},
                     {"delta", g.delta},
                     {"gamma", g.gamma},
                     {"theta", g.theta},
                     {"vega", g.vega},
                     {"rho", g.rho}});
        return 0;
    }
    if (command == "iv") {
        double price = 0;
        if (!ParseArguments(args, count, {&put, &type, &S, &K, &sigma, &r, &T, &price})) {
            return Usage();
        }
        double implied = 0;
        if (OptionPricing::ImpliedVolatility(put, type, S, K, sigma, r, T, price, implied)) {
            std::printf("{\"ok\":true,\"sigma\":");
            PrintNumber(implied);
            std::printf("}\n");
        } else {
            std::printf("{\"ok\":false}\n");
        }
        return 0;
    }
    if (command == "range") {
        double upper = 0;
        double lower = 0;
        if (!ParseArguments(args, count, {&type, &S, &upper, &lower, &sigma, &r, &T})) {
            return Usage();
        }
        PrintObject({{"probability", OptionPricing::RangeProbability(type, S, upper, lower, sigma, r, T)}});
        return 0;
    }
    if (command == "maxpain") {
        return RunMaxPainCommand(count, args);
    }
    if (command == "cdf") {
        double x = 0;
        if (!ParseArguments(args, count, {&x})) {
            return Usage();
        }
        PrintObject({{"n", OptionPricing::NormalDensity(x)}, {"N", OptionPricing::NormalCdf(x)}});
        return 0;
    }
    if (command == "sell") {
        return RunSellCommand(args, count) ? 0 : Usage();
    }
    return Usage();
}
