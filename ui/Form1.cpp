#include "Form1.h"

#include "AnalysisCommands.h"
#include "BoardView.h"
#include "ClickMatch.h"
#include "Form2.h"
#include "GameFileIO.h"
#include "MoveListBox.h"
#include "Notation.h"
#include "RecordCommands.h"
#include "ToolsCommands.h"
#include "UserDialogs.h"
#include "WindowTitle.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QLayout>
#include <QMenuBar>

namespace kelmarin::ui {

Form1::Form1(UserDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), Dialogs_(dialogs), Menu_(this),
      Turn_(std::make_unique<ComputerTurn>(Game_, Menu_)), Board_(new BoardView(Game_, Menu_, this)),
      Info_(std::make_unique<Form2>()), Tools_(new ToolsCommands(*this, *Board_, Menu_)),
      Analysis_(std::make_unique<AnalysisCommands>(*this, Menu_))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Kelmarin 1.00"));
    Menu_.FillMenuBar(menuBar());
    setCentralWidget(Board_);
    layout()->setSizeConstraint(QLayout::SetFixedSize); // the board does not follow the window's size
    Board_->setFocus();

    connect(Board_, &BoardView::InfoWindowDue, this, &Form1::RefreshInfoWindow);
    Game_.AttachDisplay(Board_);
    ConnectActions();
    new RecordCommands(*this, Dialogs_, Menu_); // a child of this window, which deletes it
    connect(Board_, &BoardView::MouseUp, this, &Form1::Form_MouseUp);
    connect(Turn_.get(), &ComputerTurn::TitleDue, this, &Form1::UpdateTitle);
    connect(Turn_.get(), &ComputerTurn::SearchFailed, this, [this](const QString& reason) {
        Dialogs_.ShowWarning(this, QStringLiteral("Computer"),
                             QStringLiteral("The computer could not choose its step: %1.").arg(reason));
    });
    connect(Info_.get(), &Form2::Unloaded, this, [this] { Menu_.mnuInfoWindow->setChecked(false); });
    connect(Info_->txtMoves, &MoveListBox::TurnDoubleClicked, this, &Form1::GoToTurnAt);
    connect(&Endgames_, &EndgameShelf::Opened, this, [this](const EndgameSet& tables) {
        Turn_->Thinker().SetTables(tables);
        Analysis_->Thinker().SetTables(tables);
    });
    Form_Load();
}

Form1::~Form1()
{
    Analysis_.reset();
    Turn_.reset();
    Game_.AttachDisplay(nullptr);
}

void Form1::OpenEndgameTables(std::vector<std::filesystem::path> folders)
{
    Endgames_.Open(std::move(folders));
}

void Form1::ConnectActions()
{
    connect(Menu_.mnuNew, &QAction::triggered, this, &Form1::mnuNew_Click);
    connect(Menu_.mnuLoad, &QAction::triggered, this, &Form1::mnuLoad_Click);
    connect(Menu_.mnuSave, &QAction::triggered, this, &Form1::mnuSave_Click);
    connect(Menu_.mnuSaveAs, &QAction::triggered, this, &Form1::mnuSaveAs_Click);
    connect(Menu_.mnuExit, &QAction::triggered, this, &Form1::mnuExit_Click);
    connect(Menu_.mnuUndo, &QAction::triggered, this, &Form1::mnuUndo_Click);
    connect(Menu_.mnuRedo, &QAction::triggered, this, &Form1::mnuRedo_Click);
    // The Computer Plays items need no handler: the computer starts only at a step or Move Now.
    connect(Menu_.mnuMoveNow, &QAction::triggered, this, &Form1::mnuMoveNow_Click);
    connect(Menu_.mnuFlipBoard, &QAction::triggered, this, &Form1::mnuFlipBoard_Click);
    connect(Menu_.mnuSwitchSides, &QAction::triggered, this, &Form1::mnuSwitchSides_Click);
    connect(Menu_.mnuShowNumbers, &QAction::triggered, this, &Form1::mnuShowNumbers_Click);
    connect(Menu_.mnuInfoWindow, &QAction::triggered, this, &Form1::mnuInfoWindow_Click);
    connect(Menu_.mnuTitleValue, &QAction::triggered, this, &Form1::mnuTitleValue_Click);
    connect(Menu_.mnuAbout, &QAction::triggered, this, &Form1::mnuAbout_Click);
    connect(Menu_.mnuRules[0], &QAction::triggered, this, [this] { mnuRules_Click(Rules::Kelmarin); });
    connect(Menu_.mnuRules[1], &QAction::triggered, this, [this] { mnuRules_Click(Rules::English); });
    connect(Menu_.mnuStandardNumbers, &QAction::triggered, this, &Form1::mnuStandardNumbers_Click);
}

void Form1::Form_Load()
{
    BaseTitle_ = windowTitle();
    // The computer player seeded itself from the time of day when it was made.
    mnuNew_Click();
}

void Form1::closeEvent(QCloseEvent* event)
{
    // The program ends at once: no pending computer step runs and nothing is asked or saved.
    StopThinking();
    Timer1().SetInterval(0);
    Info_->close();
    Analysis_->CloseWindow();
    event->accept();
    emit Unloaded();
}

void Form1::UpdateTitle()
{
    setWindowTitle(WindowTitle(BaseTitle(), Turn_->ShownScore(), Turn_->StoppedOnRepetition()));
}

void Form1::RefreshInfoWindow()
{
    Turn_->PositionChanged();
    Analysis_->PositionChanged();
    Info_->SetTexts(QString::fromStdString(MoveListText(Game_, Menu_.Numbering())),
                    QString::fromStdString(CoinCountText(Game_)));
}

void Form1::Form_MouseUp(int, int, float X, float Y)
{
    if (Thinker().IsThinking() || Board_->Editing())
        return; // the board takes no clicks while the computer thinks, and the editor takes them
    Board_->ShowMustCapture(false); // shown until the next click
    Board_->ShowHint({});
    const TSquare square = Board_->SquareAt(X, Y);
    const ClickOutcome click = MatchClick(Game_, square);
    switch (click.What) {
    case ClickOutcome::Ignored:
        return;
    case ClickOutcome::Deselect:
        Game_.SetSelection(0, 0);
        return;
    case ClickOutcome::Select:
        Game_.SetSelection(square.I, square.J);
        return;
    case ClickOutcome::NoStep:
        // Silent, as every ignored click, unless Show Legal Moves is to say that a capture is due.
        Board_->ShowMustCapture(Menu_.mnuShowLegalMoves->isChecked() && click.CaptureDue);
        return;
    case ClickOutcome::Step:
        break;
    }

    // A person who moves for the computer's side takes that side over; the computer plays the other.
    const std::int16_t mover = Game_.SideToMove;
    if (Menu_.mnuComputer[Blue]->isChecked() != Menu_.mnuComputer[Red]->isChecked()) {
        Menu_.mnuComputer[mover]->setChecked(false);
        Menu_.mnuComputer[Opponent(mover)]->setChecked(true);
    }
    Game_.SetSelection(0, 0);
    Game_.SideToMove = Game_.MakeMove(&click.Chosen, true);
    Timer1().SetInterval(Turn_->ComputerPlays(Game_.SideToMove) ? 1 : 0);
}

void Form1::mnuNew_Click()
{
    Turn_->NewGame();
    Game_.New();
    GameTags_ = {};
}

// A file is read and checked whole before anything changes: a refused file leaves the game, the
// options and the file name exactly as they were.
void Form1::mnuLoad_Click()
{
    StopThinking();
    const QString fileName = Dialogs_.ShowOpen(this);
    if (fileName.isEmpty())
        return;
    OpenGameFile(fileName);
}

void Form1::OpenGameFile(const QString& fileName)
{
    const LoadResult loaded = ReadGameFile(QFile::encodeName(fileName).toStdString(), Game_.GameRules);
    if (!loaded) {
        Dialogs_.ShowWarning(this, QStringLiteral("Load"),
                             QStringLiteral("The game could not be loaded from \"%1\": %2.")
                                 .arg(fileName, QString::fromStdString(loaded.Reason)));
        return;
    }
    // Setting a mark runs no command, so the board is drawn once, with the file's orientation.
    Menu_.mnuComputer[Blue]->setChecked(loaded.Game->Options.ComputerPlaysBlue);
    Menu_.mnuComputer[Red]->setChecked(loaded.Game->Options.ComputerPlaysRed);
    Menu_.mnuFlipBoard->setChecked(loaded.Game->Options.FlipBoard);
    ReplaceGame(*loaded.Game, fileName);
}

void Form1::ReplaceGame(const SavedGame& game, const QString& fileName)
{
    StopThinking();
    game.ApplyTo(Game_);
    Game_.SetSelection(0, 0);
    Game_.RedrawBoard();
    RefreshInfoWindow();
    Game_.SaveFileName = fileName.toStdString();
    GameTags_ = game.Tags;
    FollowRules();
}

QString Form1::BaseTitle() const
{
    return Game_.GameRules == Rules::English ? BaseTitle_ + QStringLiteral(" (English rules)") : BaseTitle_;
}

void Form1::mnuRules_Click(Rules rules)
{
    if (rules == Game_.GameRules)
        return; // the rules already chosen
    Game_.GameRules = rules;
    mnuNew_Click();
    FollowRules();
}

// The Rules mark and the title's base follow the game; the title keeps what it shows after the base.
void Form1::FollowRules()
{
    Menu_.MarkRules(Game_.GameRules);
    UpdateTitle();
}

void Form1::mnuStandardNumbers_Click()
{
    Game_.RedrawBoard();
    RefreshInfoWindow();
}

void Form1::mnuSave_Click()
{
    if (Game_.SaveFileName.empty()) {
        mnuSaveAs_Click();
        return;
    }
    WriteGame(QString::fromStdString(Game_.SaveFileName));
}

void Form1::mnuSaveAs_Click()
{
    const QString fileName = Dialogs_.ShowSave(this);
    if (fileName.isEmpty())
        return;
    // A name under which nothing could be written does not become the game's file name.
    const std::string previous = Game_.SaveFileName;
    Game_.SaveFileName = fileName.toStdString();
    if (!WriteGame(fileName))
        Game_.SaveFileName = previous;
}

bool Form1::WriteGame(const QString& fileName)
{
    const SavedOptions options{Menu_.mnuComputer[Blue]->isChecked(), Menu_.mnuComputer[Red]->isChecked(),
                               Menu_.mnuFlipBoard->isChecked()};
    const SaveResult saved =
        WriteGameFile(QFile::encodeName(fileName).toStdString(), Game_, options, GameTags_);
    if (!saved)
        Dialogs_.ShowWarning(this, QStringLiteral("Save"),
                             QStringLiteral("The game could not be saved to \"%1\": %2.")
                                 .arg(fileName, QString::fromStdString(saved.Reason)));
    return static_cast<bool>(saved);
}

void Form1::mnuExit_Click()
{
    close();
}

void Form1::mnuUndo_Click()
{
    StopThinking();
    Game_.Undo();
}

void Form1::GoToTurnAt(int offset)
{
    const std::optional<int> target = HistoryPosAtMoveListOffset(Game_, static_cast<std::size_t>(offset));
    if (!target || *target == Game_.HistoryPos || Board_->Editing())
        return;
    // As many Undo steps as it takes; the list holds only applied steps, so Redo is never needed.
    StopThinking();
    while (Game_.HistoryPos > *target)
        Game_.Undo();
}

void Form1::mnuRedo_Click()
{
    StopThinking();
    Game_.Redo();
}

void Form1::mnuMoveNow_Click()
{
    if (!Game_.IsGameOver())
        Turn_->PlayComputerMove(true);
}

void Form1::mnuFlipBoard_Click()
{
    Game_.RedrawBoard();
}

void Form1::mnuSwitchSides_Click()
{
    Menu_.mnuFlipBoard->trigger();
    if (Menu_.mnuComputer[Blue]->isChecked() != Menu_.mnuComputer[Red]->isChecked()) {
        Menu_.mnuComputer[Blue]->trigger();
        Menu_.mnuComputer[Red]->trigger();
    }
}

void Form1::mnuShowNumbers_Click()
{
    Game_.RedrawBoard();
}

void Form1::mnuInfoWindow_Click()
{
    if (!Menu_.mnuInfoWindow->isChecked()) {
        Info_->hide();
        return;
    }
    if (!InfoPlaced_) {
        // The first time, beside the board rather than on top of it.
        Info_->move(frameGeometry().topRight() + QPoint(8, 0));
        InfoPlaced_ = true;
    }
    Info_->show();
    Info_->raise();
}

void Form1::mnuTitleValue_Click()
{
    if (!Menu_.mnuTitleValue->isChecked())
        Turn_->ForgetScore();
}

void Form1::mnuAbout_Click()
{
    Dialogs_.ShowInformation(
        this, QStringLiteral("About..."),
        QStringLiteral("A simple kelmarin that can actually defeat human players!\r\n"
                       "For more information, see the project's home page.\r\n"
                       "Comments and bug reports are welcome on the project's issue tracker."));
}

} // namespace kelmarin::ui
