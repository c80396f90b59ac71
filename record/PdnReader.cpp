#include "PdnReader.h"

#include "Fen.h"
#include "HistoryRules.h"
#include "PdnMove.h"
#include "PdnText.h"

namespace kelmarin {

namespace {

LoadResult Refuse(std::string reason)
{
    return {std::nullopt, std::move(reason)};
}

const char* SideName(std::int16_t side)
{
    return side == Red ? "Red" : "Blue";
}

// Why the turn could not be read, for the message "game 2, move 14: 22x17 ...".
std::string Refusal(const TTurnMatch& match, std::string_view move, std::int16_t side)
{
    const std::string written(move);
    switch (match.Result) {
    case TTurnMatch::Outcome::Ambiguous:
        return written + " fits " + std::to_string(match.Fits) + " different captures of " + SideName(side) +
               "; every landing square must be given";
    case TTurnMatch::Outcome::TooComplex:
        return written + " has too many ways to be searched";
    default:
        return written + " is not a legal move for " + SideName(side) + " here";
    }
}

// The position a game starts from: its FEN tag, or else the starting position.
std::string SetUp(const TPdnGameText& text, GameState& game)
{
    game.New();
    const std::string fen = text.TagValue("FEN");
    if (fen.empty()) {
        if (text.TagValue("SetUp") == "1")
            return "it has SetUp \"1\" but no FEN tag";
        return {};
    }
    std::string reason;
    const std::optional<TFenPosition> position = ReadFen(fen, &reason);
    if (!position)
        return "its FEN tag cannot be read: " + reason;
    game.Board = position->Board;
    game.SideToMove = position->SideToMove;
    game.RecountCoins();
    return {};
}

std::string CheckGameType(const TPdnGameText& text)
{
    const std::string type = text.TagValue("GameType");
    const std::string kind = type.substr(0, type.find(','));
    if (!type.empty() && kind != "21")
        return "it is not a game of English draughts: its GameType is \"" + kind.substr(0, 16) + "\"";
    return {};
}

// Plays the game's moves on `game`; the reason it cannot, or empty.
std::string PlayMoves(const TPdnGameText& text, GameState& game, const std::string& where)
{
    int number = 1;
    for (const std::string_view move : text.Moves) {
        // A move as written, shortened for the message however long it was.
        const std::string written =
            move.size() > 40 ? std::string(move.substr(0, 40)) + "..." : std::string(move);
        const std::string at = where + ", move " + std::to_string(number) + ": ";
        const std::int16_t side = game.SideToMove;
        if (game.HistoryPos >= GameState::MaxHistory)
            return at + "the game is longer than the " + std::to_string(GameState::MaxHistory) +
                   " steps a game can hold";
        if (game.IsGameOver())
            return at + written + " follows the end of the game: " + SideName(side) + " cannot move";
        const std::vector<int> squares = MoveSquares(move);
        if (squares.size() < 2)
            return at + written + " is not a move between squares 1..32";
        const TTurnMatch match = MatchTurn(game, side, squares);
        if (match.Result != TTurnMatch::Outcome::Found)
            return at + Refusal(match, written, side);
        for (const TMove& step : match.Steps)
            game.SideToMove = game.MakeMove(&step, false);
        if (side == Blue)
            ++number;
    }
    return {};
}

LoadResult Finish(GameState& game)
{
    // The searches for the moves leave their last tries behind as a redo tail.
    game.MoveHistory.resize(static_cast<std::size_t>(game.HistoryPos));
    game.RecountCoins();
    return {SavedGame::FromGame(game, {}), {}};
}

// The tags the game keeps; when it has tags but no Result tag, the result that ends its moves.
GameTags KeptTags(const TPdnGameText& text, const SavedGame& game)
{
    GameTags tags;
    for (const auto& [name, value] : text.Tags)
        AddTag(tags, name, value);
    if (tags.Empty())
        return tags;
    if (!tags.Find("Result") && !text.Result.empty())
        AddTag(tags, "Result", text.Result);
    tags.ResultSteps = StepsDigest(game.MoveHistory);
    return tags;
}

} // namespace

std::vector<PdnGameInfo> ListPdnGames(std::string_view text)
{
    std::vector<PdnGameInfo> list;
    if (text.size() > MaxPdnTextSize)
        return list;
    const std::vector<TPdnGameText> games = SplitPdnGames(text);
    for (std::size_t k = 0; k < games.size(); ++k) {
        const TPdnGameText& game = games[k];
        std::string result = game.TagValue("Result");
        list.push_back({static_cast<int>(k + 1), game.TagValue("Event"), game.TagValue("Black"),
                        game.TagValue("White"), result.empty() ? game.Result : result});
    }
    return list;
}

LoadResult ReadPdnGame(std::string_view text, int number, Rules rules)
{
    if (text.size() > MaxPdnTextSize)
        return Refuse("the text is larger than " + std::to_string(MaxPdnTextSize >> 20) + " MB");
    const std::vector<TPdnGameText> games = SplitPdnGames(text);
    if (games.empty())
        return Refuse("it holds no PDN game");
    if (number < 1 || static_cast<std::size_t>(number) > games.size())
        return Refuse("there is no game " + std::to_string(number) + ": it holds " +
                      std::to_string(games.size()) + (games.size() == 1 ? " game" : " games"));
    const TPdnGameText& chosen = games[static_cast<std::size_t>(number - 1)];
    const std::string where = "game " + std::to_string(number);
    if (!chosen.Fault.empty())
        return Refuse(where + ": " + chosen.Fault);
    std::string fault = CheckGameType(chosen);
    GameState game;
    game.GameRules = rules;
    if (fault.empty())
        fault = SetUp(chosen, game);
    if (!fault.empty())
        return Refuse(where + ": " + fault);
    // The text does not say which rules the game was played under; its moves tell.
    GameState other = game;
    other.GameRules = OtherRules(rules);
    const auto withTags = [&chosen](GameState& played) {
        LoadResult read = Finish(played);
        read.Game->Tags = KeptTags(chosen, *read.Game);
        return read;
    };
    fault = PlayMoves(chosen, game, where);
    if (fault.empty())
        return withTags(game);
    std::string otherFault = PlayMoves(chosen, other, where);
    if (otherFault.empty())
        return withTags(other);
    // Where the rules part, the fault further on says more.
    return Refuse(other.HistoryPos > game.HistoryPos ? std::move(otherFault) : std::move(fault));
}

LoadResult ReadFenPosition(std::string_view fen, Rules rules)
{
    std::string reason;
    const std::optional<TFenPosition> position = ReadFen(fen, &reason);
    if (!position)
        return Refuse("the FEN cannot be read: " + reason);
    GameState game;
    game.GameRules = rules;
    game.Board = position->Board;
    game.SideToMove = position->SideToMove;
    game.RecountCoins();
    return Finish(game);
}

LoadResult ReadPastedPosition(std::string_view text, Rules rules)
{
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    const std::size_t colon = text.find(':');
    // A FEN starts with its side letter and a colon; a PDN game with a tag, a comment or a move.
    if (first != std::string_view::npos && (text[first] == 'B' || text[first] == 'W') &&
        colon != std::string_view::npos && text.find_first_not_of(" \t", first + 1) == colon)
        return ReadFenPosition(text, rules);
    return ReadPdnGame(text, 1, rules);
}

} // namespace kelmarin
