#include "CommandLine.h"

#include "CliCommon.h"

#include <algorithm>

namespace kelmarin::cli {

namespace {

struct OptionWord {
    std::string Name;
    bool Required = false;
    bool TakesValue = false;
};

struct Grammar {
    std::vector<OptionWord> Options;
    std::size_t MinPlain = 0;
    std::size_t MaxPlain = 0;
};

Grammar ReadSynopsis(std::string_view synopsis)
{
    Grammar grammar;
    bool inBrackets = false;
    bool afterOption = false; // the previous word named an option in the same brackets
    std::size_t start = 0;
    while (start < synopsis.size()) {
        std::size_t end = synopsis.find(' ', start);
        if (end == std::string_view::npos)
            end = synopsis.size();
        std::string_view word = synopsis.substr(start, end - start);
        start = end + 1;
        if (word.empty())
            continue;
        const bool opens = word.front() == '[';
        const bool closes = word.back() == ']';
        word.remove_prefix(opens ? 1 : 0);
        word.remove_suffix(closes ? 1 : 0);
        inBrackets = inBrackets || opens;
        if (word.starts_with("--")) {
            grammar.Options.push_back({std::string(word), !inBrackets, false});
            afterOption = true;
        } else if (afterOption && !opens) {
            grammar.Options.back().TakesValue = true;
            afterOption = false;
        } else {
            ++grammar.MaxPlain;
            grammar.MinPlain += inBrackets ? 0 : 1;
            afterOption = false;
        }
        if (closes) {
            inBrackets = false;
            afterOption = false;
        }
    }
    return grammar;
}

long long InRange(const std::string& text, long long low, long long high)
{
    const std::optional<long long> number = ParseInteger(text, low, high);
    if (!number)
        throw WrongCall();
    return *number;
}

} // namespace

CommandLine::CommandLine(std::string_view synopsis, const Args& args)
{
    const Grammar grammar = ReadSynopsis(synopsis);
    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& arg = args[k];
        if (!arg.starts_with("--")) {
            Plain_.push_back(arg);
            continue;
        }
        const auto option = std::find_if(grammar.Options.begin(), grammar.Options.end(),
                                         [&](const OptionWord& known) { return known.Name == arg; });
        if (option == grammar.Options.end() || (option->TakesValue && k + 1 == args.size()))
            throw WrongCall();
        Options_.emplace_back(arg, option->TakesValue ? args[++k] : std::string());
    }
    if (Plain_.size() < grammar.MinPlain || Plain_.size() > grammar.MaxPlain)
        throw WrongCall();
    for (const OptionWord& option : grammar.Options)
        if (option.Required && !Has(option.Name))
            throw WrongCall();
}

std::optional<std::string> CommandLine::Plain(std::size_t index) const
{
    if (index >= Plain_.size())
        return std::nullopt;
    return Plain_[index];
}

long long CommandLine::Number(std::size_t index, long long low, long long high) const
{
    return InRange(Plain(index).value_or(std::string()), low, high);
}

bool CommandLine::Has(std::string_view option) const
{
    return std::any_of(Options_.begin(), Options_.end(),
                       [&](const auto& given) { return given.first == option; });
}

std::optional<std::string> CommandLine::Value(std::string_view option) const
{
    std::optional<std::string> value;
    for (const auto& [name, given] : Options_)
        if (name == option)
            value = given;
    return value;
}

std::optional<long long> CommandLine::Number(std::string_view option, long long low, long long high) const
{
    std::optional<long long> number;
    for (const auto& [name, given] : Options_)
        if (name == option)
            number = InRange(given, low, high);
    return number;
}

} // namespace kelmarin::cli
