#pragma once
#include <CLI/CLI.hpp>

#include <string>
#include <utility>

namespace barloom {

// Accepts a decimal number (an optional "-", then digits) and drops its leading zeros: CLI11 on
// its own reads "010" as octal and "0x10" as hex, and without leading zeros it can only read
// decimal. Anything else is "not a number".
extern const CLI::Validator DecimalNumber;

// Every number option of barloom-cli is added here, so that every one of them is read as decimal.
template <typename Number>
CLI::Option* AddNumberOption(CLI::App& command, std::string name, Number& variable, std::string description) {
  // A transform runs before the checks added later, which read the text as a number too.
  return command.add_option(std::move(name), variable, std::move(description))->transform(DecimalNumber);
}

}  // namespace barloom
