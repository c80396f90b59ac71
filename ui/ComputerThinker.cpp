#include "ComputerThinker.h"

#include <QMetaObject>

namespace kelmarin::ui {

ComputerThinker::ComputerThinker(QObject* parent) : QObject(parent) {}

ComputerThinker::~ComputerThinker()
{
    Cancel();
}

void ComputerThinker::Start(const GameState& game, int timeMs, Purpose purpose)
{
    if (IsThinking())
        return;
    Copy_ = std::make_unique<GameState>(game);
    Copy_->AttachDisplay(nullptr);
    Copy_->AttachTimer(nullptr);
    Cancelled_ = false;
    Purpose_ = purpose;
    Wait_ = std::make_unique<WaitCursor>();
    const unsigned generation = ++Generation_;
    Worker_ = std::thread([this, generation, timeMs, copy = Copy_.get()] {
        const StrongResult result = SearchBestStep(*copy, timeMs, &Cancelled_);
        // Queued to this object's thread; dropped unread if the object is gone by then.
        QMetaObject::invokeMethod(
            this, [this, generation, result] { Deliver(generation, result); }, Qt::QueuedConnection);
    });
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
}

void ComputerThinker::Deliver(unsigned generation, const StrongResult& result)
{
    if (generation != Generation_ || !IsThinking())
        return;
    Worker_.join();
    Copy_.reset();
    // The cursor goes once the answer has been taken, as it does after the classic computer's step.
    const std::unique_ptr<WaitCursor> wait = std::move(Wait_);
    emit Finished(result, Purpose_);
}

} // namespace kelmarin::ui
