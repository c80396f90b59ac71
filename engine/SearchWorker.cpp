#include "SearchWorker.h"

#include "StrongEval.h"

#include <algorithm>

namespace kelmarin::strong {

namespace {

constexpr int Infinity = 30000;
constexpr int AspirationWindow = 25;

// The side to move at `ply` has no step: it has lost, and a nearer loss is worse.
constexpr int LossScore(int ply)
{
    return -(StrongWinScore + 1 - ply);
}

int ToTable(int score, int ply)
{
    return score > WinBand ? score + ply : score < -WinBand ? score - ply : score;
}
int FromTable(int score, int ply)
{
    return score > WinBand ? score - ply : score < -WinBand ? score + ply : score;
}

} // namespace

SearchWorker::SearchWorker(TranspositionTable& table, int number) : Table_(table), Number_(number)
{
    Keys_.reserve(GameState::MaxHistory + MaxPly + 1);
}

void SearchWorker::ClearHistory()
{
    for (auto& side : History_)
        for (auto& from : side)
            std::fill(std::begin(from), std::end(from), 0);
}

void SearchWorker::Begin(const SearchLimits& limits, std::int64_t startMs,
                         const std::vector<std::uint64_t>& gameKeys, std::atomic<bool>& stop,
                         std::atomic<std::uint64_t>& helperNodes, const EndgameTables* tables,
                         std::atomic<std::uint64_t>& helperHits)
{
    Tables_ = tables;
    TablePieces_ = tables != nullptr ? tables->MaxPieces() : 0;
    HelperHits_ = &helperHits;
    TableHits_ = 0;
    FlushedHits_ = 0;
    Limits_ = &limits;
    StartMs_ = startMs;
    Stop_ = &stop;
    HelperNodes_ = &helperNodes;
    Nodes_ = 0;
    Stopped_ = false;
    for (auto& side : History_)
        for (auto& from : side)
            for (int& value : from)
                value /= 4;
    for (auto& killers : Killers_)
        killers[0] = killers[1] = TStep{};
    Keys_ = gameKeys;
    RootIndex_ = Keys_.size();
    Keys_.resize(RootIndex_ + MaxPly + 1);
}

StrongResult SearchWorker::Deepen(const SearchPosition& root)
{
    TStep steps[MaxSteps];
    const int count = root.GenerateSteps(steps);
    StrongResult result;
    if (count == 0)
        return result;
    TStep best = steps[0];
    // A forced step needs no long thought; a few iterations still give it a score.
    const int maxDepth = std::min(Limits_->MaxDepth, count == 1 && Limits_->ShortenForced ? 4 : MaxPly - 1);
    // A root the tables hold has its exact score as soon as an iteration finds it: every step leads
    // to a position they answer.
    const std::optional<int> rootScore = ProbeTables(root, 0);
    int score = 0;
    for (int depth = 1 + (Number_ & 1); depth <= maxDepth; ++depth) {
        RootBest_ = TStep{};
        score = SearchRoot(root, depth, score);
        if (Stopped_) {
            // The unfinished iteration searched its first step, the last best, to the end before any
            // other; a step it has put in its place is better still.
            if (RootBest_.From != NoSquare)
                best = RootBest_;
            break;
        }
        best = RootBest_;
        result.Depth = depth;
        result.Score = root.SideToMove() == Blue ? score : -score;
        if (Number_ == 0 && Limits_->OnIteration)
            Limits_->OnIteration(Iteration(root, depth, score));
        // A win or loss proven with depth to spare will not change.
        if (std::abs(score) > WinBand && depth > StrongWinScore + 1 - std::abs(score) + 2)
            break;
        if (rootScore && score == *rootScore)
            break;
    }
    result.Step = root.ToTMove(best);
    result.Nodes = Nodes_;
    result.TableHits = TableHits_;
    return result;
}

int SearchWorker::SearchRoot(const SearchPosition& root, int depth, int previous)
{
    // Deep iterations seldom move far from the last score: a narrow window around it cuts more, and
    // a score outside it is searched again in a wider one.
    if (depth < 5 || std::abs(previous) > WinBand)
        return Negamax(root, depth, -Infinity, Infinity, 0);
    int below = AspirationWindow;
    int above = AspirationWindow;
    for (;;) {
        const int alpha = below > WinBand ? -Infinity : previous - below;
        const int beta = above > WinBand ? Infinity : previous + above;
        const int score = Negamax(root, depth, alpha, beta, 0);
        if (Stopped_ || (score > alpha && score < beta))
            return score;
        if (score <= alpha)
            below *= 4;
        else
            above *= 4;
    }
}

IterationInfo SearchWorker::Iteration(const SearchPosition& root, int depth, int score) const
{
    IterationInfo info;
    info.Depth = depth;
    info.Score = score;
    info.Nodes = Nodes_ + HelperNodes_->load(std::memory_order_relaxed);
    info.TableHits = TableHits_ + HelperHits_->load(std::memory_order_relaxed);
    info.ElapsedMs = NowMs(*Limits_) - StartMs_;
    SearchPosition position = root;
    for (int k = 0; k < PvLength_[0]; ++k) {
        info.Pv.push_back(position.ToTMove(Pv_[0][k]));
        position.Play(Pv_[0][k]);
    }
    return info;
}

void SearchWorker::CheckLimits()
{
    if (Number_ != 0) {
        HelperNodes_->fetch_add(1024, std::memory_order_relaxed);
        HelperHits_->fetch_add(TableHits_ - FlushedHits_, std::memory_order_relaxed);
        FlushedHits_ = TableHits_;
        Stopped_ = Stop_->load(std::memory_order_relaxed);
        return;
    }
    const SearchLimits& limits = *Limits_;
    if (NowMs(limits) - StartMs_ >= limits.TimeMs || (limits.NodeLimit != 0 && Nodes_ >= limits.NodeLimit) ||
        (limits.Cancel != nullptr && limits.Cancel->load(std::memory_order_relaxed))) {
        Stopped_ = true;
        Stop_->store(true, std::memory_order_relaxed);
    }
}

bool SearchWorker::IsRepetition(const SearchPosition& position, int ply) const
{
    const std::size_t here = RootIndex_ + static_cast<std::size_t>(ply);
    // Between captures and man steps the sides alternate, so only every second position can match.
    for (int back = 4; back <= position.ReversibleSteps(); back += 2)
        if (Keys_[here - static_cast<std::size_t>(back)] == position.Key())
            return true;
    return false;
}

std::optional<int> SearchWorker::ProbeTables(const SearchPosition& position, int ply)
{
    const Position& board = position.Board();
    if (TablePieces_ == 0 || BitCount(board.Pieces(Red) | board.Pieces(Blue)) > TablePieces_ ||
        board.HasCapture())
        return std::nullopt;
    const std::optional<TableValue> value = Tables_->Probe(board);
    if (!value)
        return std::nullopt;
    if (ply > 0)
        ++TableHits_;
    const int win = StrongWinScore + 1 - (ply + value->Plies);
    return value->Result == TableValue::Outcome::Win    ? win
           : value->Result == TableValue::Outcome::Loss ? -win
                                                        : 0;
}

void SearchWorker::Store(std::uint64_t key, int depth, int score, int alpha, int beta, const TStep& move,
                         int ply)
{
    TableEntry entry;
    entry.Score = static_cast<std::int16_t>(ToTable(score, ply));
    entry.Depth = static_cast<std::int8_t>(depth);
    entry.Kind = score <= alpha ? Upper : score >= beta ? Lower : Exact;
    entry.Move = move;
    Table_.Store(key, entry);
}

void SearchWorker::Remember(const TStep& step, std::int16_t side, int depth, int ply)
{
    if (step.IsCapture())
        return;
    History_[side - 1][step.From][step.To] += depth * depth;
    if (!(Killers_[ply][0] == step)) {
        Killers_[ply][1] = Killers_[ply][0];
        Killers_[ply][0] = step;
    }
}

void SearchWorker::Order(TStep* steps, int count, const TStep& tableMove, std::int16_t side, int ply) const
{
    int keys[MaxSteps];
    for (int k = 0; k < count; ++k) {
        const TStep& s = steps[k];
        keys[k] = s == tableMove          ? 1 << 30
                  : s == Killers_[ply][0] ? 1 << 29
                  : s == Killers_[ply][1] ? 1 << 28
                                          : History_[side - 1][s.From][s.To];
    }
    // Insertion sort: lists are short.
    for (int k = 1; k < count; ++k)
        for (int j = k; j > 0 && keys[j] > keys[j - 1]; --j) {
            std::swap(keys[j], keys[j - 1]);
            std::swap(steps[j], steps[j - 1]);
        }
}

int SearchWorker::Negamax(const SearchPosition& position, int depth, int alpha, int beta, int ply)
{
    PvLength_[ply] = 0;
    if ((++Nodes_ & 1023) == 1)
        CheckLimits();
    if (Stopped_)
        return 0;
    Keys_[RootIndex_ + static_cast<std::size_t>(ply)] = position.Key();
    if (ply > 0 && IsRepetition(position, ply))
        return 0;
    if (ply > 0)
        if (const std::optional<int> known = ProbeTables(position, ply))
            return *known;
    // Filled by the generator: the steps' default values would be written only to be overwritten.
    alignas(TStep) unsigned char stepBytes[sizeof(TStep) * MaxSteps];
    TStep* const steps = reinterpret_cast<TStep*>(stepBytes);
    const int count = position.GenerateSteps(steps);
    if (count == 0)
        return LossScore(ply);
    // Only quiet positions are scored as they stand: a capture due is always played out.
    if ((depth <= 0 && !steps[0].IsCapture()) || ply >= MaxPly - 1)
        return EvaluateForMover(position.Board());

    TStep tableMove;
    if (depth > 0) {
        const TableEntry entry = Table_.Probe(position.Key());
        if (entry.Kind != NoBound) {
            tableMove = entry.Move;
            const int stored = FromTable(entry.Score, ply);
            if (ply > 0 && entry.Depth >= depth &&
                (entry.Kind == Exact || (entry.Kind == Lower && stored >= beta) ||
                 (entry.Kind == Upper && stored <= alpha)))
                return stored;
        }
    }
    Order(steps, count, tableMove, position.SideToMove(), ply);

    const int alphaIn = alpha;
    const int childDepth = count == 1 ? depth : depth - 1;
    int best = -Infinity;
    TStep bestMove = steps[0];
    for (int k = 0; k < count; ++k) {
        SearchPosition child = position;
        child.Play(steps[k]);
        const bool sameSide = child.SideToMove() == position.SideToMove();
        auto searchChild = [&](int d, int a, int b) {
            return sameSide ? Negamax(child, d, a, b, ply + 1) : -Negamax(child, d, -b, -a, ply + 1);
        };
        int score;
        if (k == 0) {
            score = searchChild(childDepth, alpha, beta);
        } else {
            // Late quiet steps of a well-ordered list rarely matter: first look at them less deep.
            const bool reduce = depth >= 3 && k >= 3 && !steps[k].IsCapture() && !sameSide;
            score = searchChild(reduce ? childDepth - 1 - (k >= 8) : childDepth, alpha, alpha + 1);
            if (reduce && score > alpha)
                score = searchChild(childDepth, alpha, alpha + 1);
            if (score > alpha && score < beta)
                score = searchChild(childDepth, alpha, beta);
        }
        if (Stopped_)
            return 0;
        if (score > best) {
            best = score;
            bestMove = steps[k];
            if (ply == 0)
                RootBest_ = steps[k];
            if (score > alpha && ply + 1 < MaxPly) {
                Pv_[ply][0] = steps[k];
                const int tail = std::min(PvLength_[ply + 1], MaxPly - 1);
                std::copy(Pv_[ply + 1], Pv_[ply + 1] + tail, Pv_[ply] + 1);
                PvLength_[ply] = tail + 1;
            }
        }
        if (best > alpha)
            alpha = best;
        if (alpha >= beta) {
            if (depth > 0)
                Remember(steps[k], position.SideToMove(), depth, ply);
            break;
        }
    }
    if (depth > 0)
        Store(position.Key(), depth, best, alphaIn, beta, bestMove, ply);
    return best;
}

} // namespace kelmarin::strong
