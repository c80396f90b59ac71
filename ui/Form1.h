// The main window: owns the game, the computer's turn, the options and the title.
//
// The board view is the game's display: it draws, and asks this window for the Info window's texts
// when they are due. The options are the check marks of the menu actions; nothing else holds them.
// The game is read and changed on the GUI thread only; the computer's turn (ComputerTurn) decides
// when the computer plays, and the title is composed in one place from what it shows.
#pragma once

#include "ComputerTurn.h"
#include "EndgameShelf.h"
#include "GameState.h"
#include "MenuActions.h"
#include "SavedGame.h"

#include <QMainWindow>
#include <QString>

#include <memory>

namespace kelmarin::ui {

class AnalysisCommands;
class BoardView;
class Form2;
class ToolsCommands;
class UserDialogs;

class Form1 final : public QMainWindow {
    Q_OBJECT

public:
    explicit Form1(UserDialogs& dialogs, QWidget* parent = nullptr);
    ~Form1() override;

    // The move list and the piece counts written afresh into the Info window.
    void RefreshInfoWindow();

    // A mouse-button release on the board, X and Y in twips; any button acts.
    void Form_MouseUp(int button, int shift, float X, float Y);
    void Timer1_Timer() { Turn_->Timer1_Timer(); }
    // Ends a search of the worker thread, if one runs, and throws its answer away.
    void StopThinking() { Turn_->StopThinking(); }
    // Opens a saved game exactly as Load does once the file is chosen: a refused file is reported
    // and changes nothing.
    void OpenGameFile(const QString& fileName);
    // Puts game on the board in place of the one there, as Load does: the selection cleared, the
    // board redrawn, the Info window refreshed, and fileName (empty for a game from elsewhere) as the
    // game's file name, and its tags as the game's. The options and the timer are left as they are, but
    // for the Rules mark, which moves to the game's rules.
    void ReplaceGame(const SavedGame& game, const QString& fileName);

    GameState& Game() { return Game_; }
    // The tags of a game read from PDN, kept through Save and Load; none for a game played here.
    const GameTags& Tags() const { return GameTags_; }
    ComputerTurn& Turn() const { return *Turn_; }
    ComputerPlayer& Computer() { return Turn_->Classic(); }
    ComputerThinker& Thinker() const { return Turn_->Thinker(); }
    WindowTimer& Timer1() { return Turn_->Timer1(); }
    const MenuActions& Menu() const { return Menu_; }
    BoardView& Board() const { return *Board_; }
    Form2& InfoWindow() const { return *Info_; }
    AnalysisCommands& Analysis() const { return *Analysis_; }
    // Opens the endgame tables of folders in the background; the computer, Hint and the analysis
    // probe them from their next search on.
    void OpenEndgameTables(std::vector<std::filesystem::path> folders = EndgameShelf::Folders());
    const EndgameShelf& Endgames() const { return Endgames_; }
    // The plain title: the caption the window loaded with, and under the English rules a note of them.
    QString BaseTitle() const;

signals:
    // The main window was closed, by Exit or its close box: the program ends.
    void Unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;
    // No menu of panels: the set-up panel is opened from the Tools menu only.
    QMenu* createPopupMenu() override { return nullptr; }

private:
    void ConnectActions();
    void Form_Load();
    // The title from the base title and what the computer's turn shows in it.
    void UpdateTitle();
    // Writes the game to fileName; on failure tells the user why and returns false.
    bool WriteGame(const QString& fileName);

    // For the check-mark items the toolkit has already inverted the mark when these run; commands
    // that act through another item trigger it, exactly as if the user had chosen it.
    void mnuNew_Click();
    void mnuLoad_Click();
    void mnuSave_Click();
    void mnuSaveAs_Click();
    void mnuExit_Click();
    void mnuUndo_Click();
    // A double click on a turn of the Info window's list goes back to the position after it.
    void GoToTurnAt(int offset);
    void mnuRedo_Click();
    void mnuMoveNow_Click();
    void mnuFlipBoard_Click();
    void mnuSwitchSides_Click();
    void mnuShowNumbers_Click();
    void mnuInfoWindow_Click();
    void mnuTitleValue_Click();
    void mnuAbout_Click();

    // Tools: choosing the other rules starts a new game under them; Standard Square Numbers.
    void mnuRules_Click(Rules rules);
    void mnuStandardNumbers_Click();
    // The Rules mark moved to the game's rules, and the title's base with it.
    void FollowRules();

    GameState Game_;
    GameTags GameTags_;
    UserDialogs& Dialogs_;
    MenuActions Menu_;
    std::unique_ptr<ComputerTurn> Turn_; // made after the menu it reads, gone before the game
    BoardView* Board_;
    std::unique_ptr<Form2> Info_;
    ToolsCommands* Tools_;
    std::unique_ptr<AnalysisCommands> Analysis_; // gone first, before what it watches
    bool InfoPlaced_ = false;
    QString BaseTitle_;
    EndgameShelf Endgames_;
};

} // namespace kelmarin::ui
