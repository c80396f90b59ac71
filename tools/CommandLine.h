// What one call of a subcommand said, read against the subcommand's synopsis.
//
// The synopsis is the usage text after the subcommand's name, and it is the whole grammar:
// "DEPTH [FILE] [--end-on-crowning]" takes one plain word, maybe a second, and a flag;
// "--games N [--seed S]" takes a required option with a value and an optional one. A word in brackets
// may be left out; a word after an option name inside the same brackets (or outside any) is that
// option's value. Options may come in any order and between plain words; when one is given twice, the
// last one counts.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kelmarin::cli {

using Args = std::vector<std::string>;

// Thrown when the words do not fit the synopsis or a value is out of range; the caller prints the
// subcommand's usage and stops with status 2.
struct WrongCall {};

class CommandLine {
public:
    CommandLine(std::string_view synopsis, const Args& args); // throws WrongCall

    // The index-th plain word, or nothing when it was left out. An empty word counts as given.
    std::optional<std::string> Plain(std::size_t index) const;
    // The index-th plain word as a whole number in [low, high]; throws WrongCall otherwise.
    long long Number(std::size_t index, long long low, long long high) const;

    bool Has(std::string_view option) const;
    std::optional<std::string> Value(std::string_view option) const;
    // The option's value as a whole number in [low, high], or nothing when the option was not given.
    // Every time the option is given its value must be in range, else WrongCall is thrown.
    std::optional<long long> Number(std::string_view option, long long low, long long high) const;

private:
    std::vector<std::string> Plain_;
    std::vector<std::pair<std::string, std::string>> Options_; // in the order given
};

} // namespace kelmarin::cli
