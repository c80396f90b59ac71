#include "PdnWriter.h"

#include "Fen.h"
#include "PdnText.h"
#include "StandardSquares.h"
#include "Turn.h"

#include <chrono>
#include <cstdio>
#include <span>
#include <vector>

namespace kelmarin {

namespace {

constexpr std::size_t MaxLine = 79;

// Words laid out in lines of at most MaxLine characters.
class TLineWriter {
public:
    void Word(const std::string& word)
    {
        if (!Line_.empty() && Line_.size() + 1 + word.size() > MaxLine) {
            Text_ += Line_ + '\n';
            Line_.clear();
        }
        if (!Line_.empty())
            Line_ += ' ';
        Line_ += word;
    }
    // A comment's words, so that a long comment wraps like the moves.
    void Comment(const std::string& text)
    {
        std::size_t start = 0;
        while (start <= text.size()) {
            std::size_t end = text.find(' ', start);
            if (end == std::string::npos)
                end = text.size();
            std::string word = text.substr(start, end - start);
            if (start == 0)
                word = '{' + word;
            if (end == text.size())
                word += '}';
            Word(word);
            start = end + 1;
        }
    }
    std::string Finish() { return Line_.empty() ? Text_ : Text_ + Line_ + '\n'; }

private:
    std::string Text_;
    std::string Line_;
};

std::string Tag(const char* name, const std::string& value)
{
    std::string text = std::string("[") + name + " \"";
    for (const char c : value) {
        if (c == '"' || c == '\\')
            text += '\\';
        text += static_cast<unsigned char>(c) < 0x20 ? ' ' : c;
    }
    return text + "\"]\n";
}

} // namespace

std::string PdnMoveText(std::span<const TMove> steps)
{
    std::string text = std::to_string(StandardSquare(steps.front().FromI, steps.front().FromJ));
    for (const TMove& step : steps) {
        text += step.CapturedCoin != 0 ? 'x' : '-';
        text += std::to_string(StandardSquare(step.ToI, step.ToJ));
    }
    return text;
}

namespace {

// Whether the turn went on after a capture that crowned a man.
bool ContinuedAfterCrowning(std::span<const TMove> steps)
{
    for (std::size_t k = 0; k + 1 < steps.size(); ++k)
        if (steps[k].CapturedCoin != 0 && LandedCoin(steps[k]) != steps[k].Coin)
            return true;
    return false;
}

const char* SideName(std::int16_t side)
{
    return side == Red ? "Red" : "Blue";
}

const TBoard& StartingBoard()
{
    static const TBoard start = [] {
        GameState game;
        game.New();
        return game.Board;
    }();
    return start;
}

} // namespace

std::string WritePdnGame(const SavedGame& saved, const PdnTags& tags)
{
    GameState game;
    saved.ApplyTo(game);
    const std::span<const TMove> applied(game.MoveHistory.data(), static_cast<std::size_t>(game.HistoryPos));
    std::vector<TTurn> turns = GroupTurns(applied);

    // The last turn is still in progress when its mover is to move again: the piece that has just
    // jumped must jump again, as the game's rules decided when the step was made.
    const bool unfinished = !applied.empty() && PieceOwner(applied.back().Coin) == game.SideToMove;
    std::string result = tags.Result.empty() ? "*" : tags.Result;
    if (!unfinished && game.IsGameOver())
        result = game.SideToMove == Blue ? "0-1" : "1-0"; // the side to move has lost
    // A recorded result that PDN does not know stays in its tag; the moves end with *.
    const std::string terminator = IsResult(result) ? result : "*";

    TBoard first = game.Board;
    for (std::size_t k = applied.size(); k-- > 0;)
        RevertStep(first, applied[k]);
    const std::int16_t firstSide = applied.empty() ? game.SideToMove : PieceOwner(applied.front().Coin);

    std::string text = Tag("Event", tags.Event) + Tag("Site", tags.Site) + Tag("Date", tags.Date) +
                       Tag("Round", tags.Round) + Tag("Black", tags.Black) + Tag("White", tags.White) +
                       Tag("Result", result);
    for (const auto& [name, value] : tags.More)
        text += Tag(name.c_str(), value);
    text += Tag("GameType", "21");
    if (first != StartingBoard() || firstSide != Red)
        text += Tag("SetUp", "1") + Tag("FEN", PositionFen(first, firstSide));
    text += '\n';

    TLineWriter lines;
    int number = 1;
    for (std::size_t t = 0; t < turns.size(); ++t) {
        const TTurn& turn = turns[t];
        const std::span<const TMove> steps =
            applied.subspan(static_cast<std::size_t>(turn.First), static_cast<std::size_t>(turn.Count));
        if (unfinished && t + 1 == turns.size()) {
            lines.Comment(std::string("The game stops during ") + SideName(turn.Side) +
                          "'s multi-jump; its jumps so far, " + PdnMoveText(steps) +
                          ", are left out: the next jump is due.");
            break;
        }
        if (ContinuedAfterCrowning(steps))
            lines.Comment(CrowningContinuesComment);
        // A move number stays on the line of its move.
        if (turn.Side == Red)
            lines.Word(std::to_string(number) + ". " + PdnMoveText(steps));
        else if (t == 0)
            lines.Word(std::to_string(number) + "... " + PdnMoveText(steps));
        else
            lines.Word(PdnMoveText(steps));
        if (turn.Side == Blue)
            ++number;
    }
    lines.Word(terminator);
    return text + lines.Finish();
}

std::string WritePdnGame(const GameState& game, const PdnTags& tags)
{
    return WritePdnGame(SavedGame::FromGame(game, {}), tags);
}

PdnTags ExportTags(const GameTags& tags, std::span<const TMove> applied)
{
    if (tags.Empty())
        return KelmarinPdnTags();
    PdnTags written;
    // The seven but Result, which is written only while it fits.
    const std::pair<const char*, std::string*> roster[] = {
        {"Event", &written.Event}, {"Site", &written.Site},   {"Date", &written.Date},
        {"Round", &written.Round}, {"Black", &written.Black}, {"White", &written.White}};
    for (const auto& [name, value] : roster)
        if (const std::string* kept = tags.Find(name))
            *value = *kept;
    const std::string* result = tags.Find("Result");
    if (result && tags.ResultSteps == StepsDigest(applied))
        written.Result = *result;
    // With the seven, no more than a game can keep, so that the text imports whole.
    for (const auto& [name, value] : tags.List) {
        bool ofTheSeven = SameTagName(name, "Result");
        for (const auto& named : roster)
            ofTheSeven = ofTheSeven || SameTagName(name, named.first);
        if (!ofTheSeven && !IsWritersOwnTag(name) && written.More.size() + 7 < MaxTagCount)
            written.More.emplace_back(name, value);
    }
    return written;
}

PdnTags ExportTags(const GameTags& tags, const GameState& game)
{
    return ExportTags(tags, std::span(game.MoveHistory.data(), static_cast<std::size_t>(game.HistoryPos)));
}

PdnTags KelmarinPdnTags()
{
    const std::chrono::year_month_day day{
        std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())};
    char date[16];
    std::snprintf(date, sizeof date, "%04d.%02u.%02u", static_cast<int>(day.year()),
                  static_cast<unsigned>(day.month()), static_cast<unsigned>(day.day()));
    PdnTags tags;
    tags.Event = "Kelmarin game";
    tags.Date = date;
    return tags;
}

} // namespace kelmarin
