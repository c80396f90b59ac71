// Tools > Analysis: the strong search thinking without end about the position on the board, shown in
// a window of its own.
//
// While the check mark is on, the thinker runs on the board's position (and rules): a change of
// either starts it afresh at once, and it stands aside while the computer thinks, for its turn or a
// hint, and once the game is over. An iteration is shown only while the position it was computed from
// is still the one on the board. It never touches the game. Closing the window clears the mark and
// stops the thinker; with the mark off nothing runs and nothing is shown.
#pragma once

#include "AnalysisThinker.h"
#include "ComputerThinker.h"
#include "Rules.h"

#include <QObject>

#include <memory>
#include <optional>

namespace kelmarin::ui {

class AnalysisWindow;
class Form1;
class MenuActions;

class AnalysisCommands final : public QObject {
    Q_OBJECT

public:
    AnalysisCommands(Form1& form, const MenuActions& menu);
    ~AnalysisCommands() override;

    // The position on the board may have changed, or the numbers it shows.
    void PositionChanged() { Refresh(); }
    // The main window closes: the thinker stops and the window goes.
    void CloseWindow();

    AnalysisWindow& Window() const { return *Window_; }
    AnalysisThinker& Thinker() { return Thinker_; }

private:
    // The position an analysis is for: the board, the side to move, the history position and the rules.
    struct Key {
        AskedPosition Position;
        Rules GameRules = Rules::Kelmarin;
        bool operator==(const Key&) const = default;
    };
    Key CurrentKey() const;

    void mnuAnalysis_Click();
    // Starts, stops or leaves the thinker as the mark, the game and the computer's turn want it.
    void Refresh();
    void IterationDone(const strong::IterationInfo& info);
    void ShowText();

    Form1& Form_;
    const MenuActions& Menu_;
    std::unique_ptr<AnalysisWindow> Window_;
    AnalysisThinker Thinker_;
    std::optional<Key> Started_; // what the thinker was last started on, while that still counts
    std::optional<strong::IterationInfo> Last_;
    std::optional<Key> LastKey_; // the position Last_ is for
    bool Placed_ = false;
};

} // namespace kelmarin::ui
