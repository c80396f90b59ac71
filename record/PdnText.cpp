#include "PdnText.h"

#include "GameTags.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace kelmarin {

namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}
bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}
bool EndsWord(char c)
{
    return IsSpace(c) || c == '{' || c == '}' || c == '(' || c == ')' || c == '[' || c == ']' || c == ';';
}

// A piece of the text for a message: printable, and short however long the word was.
std::string Quoted(std::string_view word)
{
    std::string text = "\"";
    for (std::size_t k = 0; k < word.size() && k < 24; ++k) {
        const auto c = static_cast<unsigned char>(word[k]);
        text += c < 0x20 || c == 0x7F ? '?' : static_cast<char>(c);
    }
    return text + (word.size() > 24 ? "...\"" : "\"");
}

class TSplitter {
public:
    explicit TSplitter(std::string_view text) : Text_(text)
    {
        if (Text_.substr(0, 3) == "\xEF\xBB\xBF")
            At_ = 3;
    }

    std::vector<TPdnGameText> Run()
    {
        while (At_ < Text_.size())
            Step();
        if (Started_)
            Games_.push_back(std::move(Game_));
        return std::move(Games_);
    }

private:
    void Step()
    {
        const char c = Text_[At_];
        const bool lineStart = At_ == 0 || Text_[At_ - 1] == '\n';
        if (IsSpace(c)) {
            ++At_;
        } else if (c == ';' || (c == '%' && lineStart)) {
            SkipLine();
        } else if (c == '{') {
            SkipComment();
        } else if (c == '(') {
            SkipVariation();
        } else if (c == '[') {
            if (!Game_.Moves.empty() || !Game_.Result.empty())
                NextGame();
            Started_ = true;
            ReadTag();
        } else {
            ReadWord();
        }
    }

    void NextGame()
    {
        Games_.push_back(std::move(Game_));
        Game_ = {};
    }

    void Fault(std::string what)
    {
        Started_ = true;
        if (Game_.Fault.empty())
            Game_.Fault = std::move(what);
    }

    void SkipLine()
    {
        while (At_ < Text_.size() && Text_[At_] != '\n')
            ++At_;
    }

    void SkipComment()
    {
        const std::size_t end = Text_.find('}', At_);
        if (end == std::string_view::npos) {
            Fault("a comment opened with { is not closed");
            At_ = Text_.size();
        } else {
            At_ = end + 1;
        }
    }

    // A variation may hold comments (which may hold parentheses) and further variations.
    void SkipVariation()
    {
        std::size_t depth = 0;
        while (At_ < Text_.size()) {
            const char c = Text_[At_];
            if (c == '{') {
                SkipComment();
                continue;
            }
            if (c == ';') {
                SkipLine();
                continue;
            }
            ++At_;
            if (c == '(')
                ++depth;
            else if (c == ')' && --depth == 0)
                return;
        }
        Fault("a variation opened with ( is not closed");
    }

    void ReadTag()
    {
        const std::size_t start = At_++;
        std::string name;
        while (At_ < Text_.size() && IsSpace(Text_[At_]))
            ++At_;
        while (At_ < Text_.size() &&
               (std::isalnum(static_cast<unsigned char>(Text_[At_])) || Text_[At_] == '_'))
            name += Text_[At_++];
        while (At_ < Text_.size() && IsSpace(Text_[At_]))
            ++At_;
        std::string value;
        bool closed = false;
        if (!name.empty() && At_ < Text_.size() && Text_[At_] == '"') {
            for (++At_; At_ < Text_.size() && Text_[At_] != '\n'; ++At_) {
                char c = Text_[At_];
                if (c == '\\' && At_ + 1 < Text_.size() && Text_[At_ + 1] != '\n')
                    c = Text_[++At_];
                else if (c == '"') {
                    closed = true;
                    ++At_;
                    break;
                }
                value += c;
            }
        }
        while (closed && At_ < Text_.size() && IsSpace(Text_[At_]) && Text_[At_] != '\n')
            ++At_;
        if (!closed || At_ >= Text_.size() || Text_[At_] != ']') {
            const std::size_t end = Text_.find('\n', start);
            Fault("the tag " + Quoted(Text_.substr(start, end - start)) + " is not [Name \"value\"]");
            At_ = end == std::string_view::npos ? Text_.size() : end;
            return;
        }
        ++At_;
        Game_.Tags.emplace_back(std::move(name), std::move(value));
    }

    void ReadWord()
    {
        const std::size_t start = At_;
        while (At_ < Text_.size() && !EndsWord(Text_[At_]))
            ++At_;
        std::string_view word = Text_.substr(start, At_ - start);
        if (word.empty()) { // a stray ) ] or }
            ++At_;
            Fault("a stray " + Quoted(Text_.substr(start, 1)) +
                  " stands outside any tag, comment or variation");
            return;
        }
        Take(word);
    }

    void Take(std::string_view word)
    {
        if (IsResult(word)) {
            Started_ = true;
            Game_.Result = std::string(word);
            NextGame();
            Started_ = false;
            return;
        }
        if (word.front() == '$' || word.find_first_not_of("!?") == std::string_view::npos)
            return; // a NAG or a mark standing alone
        // The ellipsis of a move of the second player may stand apart from its number, "1. ... 22-17",
        // or be glued to the move, "1. ...22-17".
        word.remove_prefix(std::min(word.size(), word.find_first_not_of('.')));
        if (word.empty())
            return;
        // Move numbers, "12." or "12...", may have the move glued to them: "12.11-15".
        for (;;) {
            std::size_t digits = 0;
            while (digits < word.size() && IsDigit(word[digits]))
                ++digits;
            if (digits == 0 || digits == word.size() || word[digits] != '.')
                break;
            while (digits < word.size() && word[digits] == '.')
                ++digits;
            word.remove_prefix(digits);
            if (word.empty())
                return;
        }
        const std::string_view move = word.substr(0, word.find_last_not_of("!?") + 1);
        if (move.empty() || !IsDigit(move.front()) || !IsDigit(move.back()) ||
            move.find_first_not_of("0123456789-xX:") != std::string_view::npos) {
            Fault(Quoted(word) + " is neither a move, a move number nor a result");
            return;
        }
        Started_ = true;
        Game_.Moves.push_back(move);
    }

    std::string_view Text_;
    std::size_t At_ = 0;
    TPdnGameText Game_;
    bool Started_ = false; // whether Game_ holds anything yet
    std::vector<TPdnGameText> Games_;
};

} // namespace

bool IsResult(std::string_view word)
{
    static constexpr std::array<std::string_view, 8> Results = {"1-0", "0-1", "1/2-1/2", "*",
                                                                "2-0", "0-2", "1-1",     "0-0"};
    for (const std::string_view result : Results)
        if (word == result)
            return true;
    return false;
}

std::string TPdnGameText::TagValue(std::string_view name) const
{
    for (const auto& [tag, value] : Tags)
        if (SameTagName(tag, name))
            return value;
    return {};
}

std::vector<TPdnGameText> SplitPdnGames(std::string_view text)
{
    return TSplitter(text).Run();
}

} // namespace kelmarin
