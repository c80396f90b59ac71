#include "ComputerThinker.h"

#include "StrongSearch.h"

#include <exception>
#include <new>

namespace kelmarin::ui {

struct ComputerThinker::Answer {
    StrongResult Result;
    QString Failure; // empty when the search answered
};

ComputerThinker::ComputerThinker(QObject* parent)
    : QObject(parent), Search_([](strong::StrongSearch& search, const GameState& game, int timeMs,
                                  const std::atomic<bool>* cancel) {
          strong::SearchLimits limits;
          limits.TimeMs = timeMs;
          limits.Cancel = cancel;
          return search.Search(game, limits);
      })
{
}

ComputerThinker::~ComputerThinker()
{
    Cancel();
}

void ComputerThinker::Start(const GameState& game, Level level, int timeMs, Purpose purpose)
{
    if (IsThinking())
        return;
    Copy_ = std::make_unique<GameState>(game);
    Copy_->AttachDisplay(nullptr);
    Copy_->AttachTimer(nullptr);
    Cancelled_ = false;
    Purpose_ = purpose;
    Asked_ = AskedPosition::Of(game);
    Wait_ = std::make_unique<WaitCursor>();
    const unsigned generation = ++Generation_;
    const auto index = static_cast<std::size_t>(level);
    const bool clear = ClearDue_[index];
    ClearDue_[index] = false;
    Worker_ = std::thread(
        [this, generation, index, clear, timeMs, copy = Copy_.get(), tables = Tables_.For(game.GameRules)] {
            auto answer = std::make_shared<Answer>();
            try {
                std::unique_ptr<strong::StrongSearch>& search = Searches_[index];
                if (!search) {
                    search = std::make_unique<strong::StrongSearch>();
                    search->SetThreads(LevelThreads(static_cast<Level>(index)));
                } else if (clear)
                    search->Clear();
                search->SetTables(tables.get());
                answer->Result = Search_(*search, *copy, timeMs, &Cancelled_);
                search->SetTables(nullptr); // the tables may go once this worker has
            } catch (const std::bad_alloc&) {
                answer->Failure = QStringLiteral("there was not enough memory");
            } catch (const std::exception& error) {
                answer->Failure = QString::fromLocal8Bit(error.what());
            }
            Mailbox_.Post([this, generation, answer] { Deliver(generation, answer); });
        });
    emit ThinkingChanged();
}

void ComputerThinker::Cancel()
{
    if (!IsThinking())
        return;
    Cancelled_ = true;
    Worker_.join();
    ++Generation_; // the answer already on its way, if any, is for a search that no longer counts
    Copy_.reset();
    Wait_.reset();
    emit ThinkingChanged();
}

void ComputerThinker::ForgetGame()
{
    Cancel();
    ClearDue_.fill(true); // on the worker, before the level's next search
}

void ComputerThinker::Deliver(unsigned generation, const std::shared_ptr<const Answer>& answer)
{
    if (generation != Generation_ || !IsThinking())
        return;
    Worker_.join();
    Copy_.reset();
    if (!answer->Failure.isEmpty()) {
        Wait_.reset(); // not over the warning
        emit Failed(answer->Failure);
        emit ThinkingChanged();
        return;
    }
    {
        // The cursor goes once the answer has been taken, as it does after the classic computer's step.
        const std::unique_ptr<WaitCursor> wait = std::move(Wait_);
        emit Finished(answer->Result, Purpose_, Asked_);
    }
    emit ThinkingChanged();
}

} // namespace kelmarin::ui
