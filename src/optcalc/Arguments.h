#pragma once

#include <cstdint>
#include <initializer_list>
#include <variant>

// The arguments of one subcommand, in order: each an integer or a decimal number (nan and inf
// are numbers too). False unless there are exactly as many as asked for and each one is wholly
// what it should be.
using Argument = std::variant<int32_t*, double*>;
bool ParseArguments(char** args, int count, std::initializer_list<Argument> arguments);
