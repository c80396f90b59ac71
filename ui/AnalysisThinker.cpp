#include "AnalysisThinker.h"

#include <exception>

namespace kelmarin::ui {

AnalysisThinker::AnalysisThinker(QObject* parent)
    : QObject(parent), Search_([](strong::StrongSearch& search, const GameState& game,
                                  const strong::SearchLimits& limits) { search.Search(game, limits); })
{
}

AnalysisThinker::~AnalysisThinker()
{
    Stop();
}

void AnalysisThinker::Start(const GameState& game)
{
    Stop();
    Copy_ = std::make_unique<GameState>(game);
    Copy_->AttachDisplay(nullptr);
    Copy_->AttachTimer(nullptr);
    Cancelled_ = false;
    const unsigned generation = ++Generation_;
    Worker_ = std::thread([this, generation, copy = Copy_.get(), tables = Tables_.For(game.GameRules)] {
        strong::SearchLimits limits;
        limits.TimeMs = TimeMs;
        limits.MaxDepth = MaxDepth;
        limits.Cancel = &Cancelled_;
        limits.ShortenForced = false; // the line behind a forced step is what a person wants to see
        // To the window's thread; dropped unread if this object is gone by then.
        limits.OnIteration = [this, generation](const strong::IterationInfo& info) {
            auto copied = std::make_shared<const strong::IterationInfo>(info);
            Mailbox_.Post([this, generation, copied] { Deliver(generation, copied); });
        };
        try {
            if (!Engine_)
                Engine_ = std::make_unique<strong::StrongSearch>();
            Engine_->SetTables(tables.get());
            Search_(*Engine_, *copy, limits);
            Engine_->SetTables(nullptr); // the tables may go once this worker has
        } catch (const std::exception&) {
            // Out of memory: the analysis ends with the last line it showed.
        }
        Mailbox_.Post([this, generation] { DeliverEnd(generation); });
    });
}

void AnalysisThinker::Stop()
{
    if (!IsRunning())
        return;
    Cancelled_ = true;
    Worker_.join();
    ++Generation_; // what is already on its way is for a start that no longer counts
    Copy_.reset();
}

void AnalysisThinker::Deliver(unsigned generation, const std::shared_ptr<const strong::IterationInfo>& info)
{
    if (generation == Generation_)
        emit IterationDone(*info);
}

void AnalysisThinker::DeliverEnd(unsigned generation)
{
    if (generation != Generation_ || !IsRunning())
        return;
    Worker_.join();
    Copy_.reset();
    emit SearchEnded();
}

} // namespace kelmarin::ui
