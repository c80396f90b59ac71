#include "PdnMove.h"

#include "StandardSquares.h"

#include <algorithm>
#include <array>
#include <set>

namespace kelmarin {

namespace {

// Enough for every capture tree a real position has; a text that builds a larger one is refused
// rather than searched for long.
constexpr int MaxSearchedSteps = 20000;

class TTurnSearch {
public:
    TTurnSearch(GameState& game, std::int16_t side, std::span<const int> squares)
        : Game_(game), Side_(side), Written_(squares)
    {
    }

    TTurnMatch Run()
    {
        TTurnMatch match;
        if (Written_.size() < 2)
            return match;
        Path_.push_back(Written_.front());
        Walk();
        if (Searched_ > MaxSearchedSteps)
            match.Result = TTurnMatch::Outcome::TooComplex;
        else if (ExactCount_ == 1)
            match = {TTurnMatch::Outcome::Found, Exact_, 1};
        else if (ShortCount_ == 1)
            match = {TTurnMatch::Outcome::Found, Short_, 1};
        else if (ShortCount_ > 1)
            match = {TTurnMatch::Outcome::Ambiguous, {}, ShortCount_};
        return match;
    }

private:
    // Tries every legal step of the side from the written first square, and every continuation.
    void Walk()
    {
        MoveList list;
        Game_.GenerateMoves(Side_, list);
        for (const TMove& step : list) {
            if (Steps_.empty() && StandardSquare(step.FromI, step.FromJ) != Written_.front())
                continue;
            if (++Searched_ > MaxSearchedSteps)
                return;
            const bool more = Game_.MakeMove(&step, false) == Side_;
            Steps_.push_back(step);
            Path_.push_back(StandardSquare(step.ToI, step.ToJ));
            if (!more)
                Leaf();
            else
                Walk();
            Path_.pop_back();
            Steps_.pop_back();
            Game_.TakeBackMove(false);
        }
    }

    enum class Fit { None, Short, Exact };

    // How the written squares fit the path so far: all of them in order, or the first, the last and
    // some between them in order.
    Fit Fits() const
    {
        if (std::equal(Path_.begin(), Path_.end(), Written_.begin(), Written_.end()))
            return Fit::Exact;
        if (Path_.back() != Written_.back())
            return Fit::None;
        std::size_t w = 0;
        for (std::size_t p = 0; p < Path_.size() && w < Written_.size(); ++p)
            if (Path_[p] == Written_[w])
                ++w;
        return w == Written_.size() ? Fit::Short : Fit::None;
    }

    void Leaf()
    {
        switch (Fits()) {
        case Fit::Exact:
            if (++ExactCount_ == 1)
                Exact_ = Steps_;
            break;
        case Fit::Short:
            // Routes that end in the same position, as a king's round trip taken either way, are
            // the same move.
            if (ShortEnds_.insert(PlayingSquares()).second && ++ShortCount_ == 1)
                Short_ = Steps_;
            break;
        case Fit::None:
            break;
        }
    }

    std::array<std::int16_t, PlayingSquareCount> PlayingSquares() const
    {
        std::array<std::int16_t, PlayingSquareCount> squares{};
        for (std::size_t k = 0; k < squares.size(); ++k)
            squares[k] = Game_.Board[ScanOrder[k]];
        return squares;
    }

    GameState& Game_;
    std::int16_t Side_;
    std::span<const int> Written_;
    std::vector<TMove> Steps_;
    std::vector<int> Path_;
    std::vector<TMove> Exact_;
    std::vector<TMove> Short_;
    int ExactCount_ = 0;
    std::set<std::array<std::int16_t, PlayingSquareCount>> ShortEnds_; // the positions they reach
    int ShortCount_ = 0; // short forms that fit, one for each position reached
    int Searched_ = 0;
};

} // namespace

std::vector<int> MoveSquares(std::string_view written)
{
    std::vector<int> squares;
    int value = 0;
    int digits = 0;
    for (std::size_t k = 0; k <= written.size(); ++k) {
        const char c = k < written.size() ? written[k] : '-';
        if (c >= '0' && c <= '9') {
            if (++digits > 2)
                return {};
            value = value * 10 + (c - '0');
            continue;
        }
        if (digits == 0 || value < 1 || value > PlayingSquareCount)
            return {};
        squares.push_back(value);
        value = 0;
        digits = 0;
    }
    return squares;
}

TTurnMatch MatchTurn(GameState& game, std::int16_t side, std::span<const int> squares)
{
    return TTurnSearch(game, side, squares).Run();
}

} // namespace kelmarin
