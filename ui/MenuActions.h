// Every command of the main window as an action: caption with its access letter, shortcut key and,
// for the options, the check mark that is the option's state. The actions are created here in one
// place and put into the menu bar by FillMenuBar; the window connects them to its handlers.
//
// File, Edit, Options and Help hold the game's own commands; every addition lives in the Tools menu
// between Options and Help, and each of its options is off (or at its first choice) at every start.
#pragma once

#include "Levels.h"
#include "Notation.h"
#include "Rules.h"

#include <array>

class QAction;
class QMenu;
class QMenuBar;
class QObject;

namespace kelmarin::ui {

class MenuActions {
public:
    explicit MenuActions(QObject* owner);

    void FillMenuBar(QMenuBar* bar) const;
    // The level whose item is checked.
    Level ComputerLevel() const;
    // The rules whose item is checked, and the check mark moved to the given rules.
    Rules ChosenRules() const;
    void MarkRules(Rules rules) const;
    // The numbers Show Numbers and the Info window use.
    SquareNumbering Numbering() const;

    QAction* mnuNew;
    QAction* mnuLoad;
    QAction* mnuSave;
    QAction* mnuSaveAs;
    QAction* mnuExit;

    QAction* mnuUndo;
    QAction* mnuRedo;
    std::array<QAction*, 3> mnuComputer; // indexed by side, 1 Blue and 2 Red; [0] is unused
    QAction* mnuMoveNow;
    QAction* mnuFlipBoard;
    QAction* mnuSwitchSides;

    QAction* mnuShowNumbers;
    QAction* mnuInfoWindow;
    QAction* mnuTitleValue;

    QAction* mnuAbout;

    // Tools: the rules of the game, Kelmarin's checked at start.
    std::array<QAction*, 2> mnuRules; // Kelmarin, English

    // Tools: the game record, in PDN and FEN.
    QAction* mnuExportPdn;
    QAction* mnuCopyPdn;
    QAction* mnuImportPdn;
    QAction* mnuPastePosition;
    QAction* mnuSetUpPosition;

    // Tools: the computer's strength (one level checked, Classic at start), the hint and the analysis.
    std::array<QAction*, 3> mnuLevel; // indexed as AllLevels
    QAction* mnuHint;
    QAction* mnuAnalysis; // the Analysis window, off at start

    // Tools: the view aids.
    QAction* mnuHighlightLastMove;
    QAction* mnuShowLegalMoves;
    QAction* mnuStandardNumbers;
    std::array<QAction*, 3> mnuZoom; // 100%, 150% and 200%, one of them checked
    static constexpr std::array<double, 3> ZoomFactors{1.0, 1.5, 2.0};
    QAction* mnuStopOnRepetition;

private:
    void FillToolsMenu(QMenu* mnuTools) const;
};

} // namespace kelmarin::ui
