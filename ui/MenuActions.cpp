#include "MenuActions.h"

#include <QAction>
#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace kelmarin::ui {

namespace {

QAction* Command(QObject* owner, const char* name, const QString& caption, const QKeySequence& shortcut = {})
{
    auto* action = new QAction(caption, owner);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(shortcut);
    return action;
}

QAction* Option(QObject* owner, const char* name, const QString& caption, bool checked,
                const QKeySequence& shortcut = {})
{
    QAction* action = Command(owner, name, caption, shortcut);
    action->setCheckable(true);
    action->setChecked(checked);
    return action;
}

} // namespace

MenuActions::MenuActions(QObject* owner)
    : mnuNew(Command(owner, "mnuNew", QStringLiteral("&New"), QKeySequence(Qt::Key_F2))),
      mnuLoad(Command(owner, "mnuLoad", QStringLiteral("&Load"), QKeySequence(Qt::CTRL | Qt::Key_L))),
      mnuSave(Command(owner, "mnuSave", QStringLiteral("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S))),
      mnuSaveAs(Command(owner, "mnuSaveAs", QStringLiteral("Save &As"), QKeySequence(Qt::CTRL | Qt::Key_A))),
      mnuExit(Command(owner, "mnuExit", QStringLiteral("E&xit"))),
      mnuUndo(Command(owner, "mnuUndo", QStringLiteral("&Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z))),
      // Redo is on Ctrl+X and Save As on Ctrl+A, not on the usual keys.
      mnuRedo(Command(owner, "mnuRedo", QStringLiteral("&Redo"), QKeySequence(Qt::CTRL | Qt::Key_X))),
      mnuComputer{nullptr,
                  Option(owner, "mnuComputer1", QStringLiteral("Computer Plays &Blue"), true,
                         QKeySequence(Qt::CTRL | Qt::Key_B)),
                  Option(owner, "mnuComputer2", QStringLiteral("Computer Plays &Red"), false,
                         QKeySequence(Qt::CTRL | Qt::Key_R))},
      mnuMoveNow(Command(owner, "mnuMoveNow", QStringLiteral("&Move Now"), QKeySequence(Qt::Key_F5))),
      mnuFlipBoard(Option(owner, "mnuFlipBoard", QStringLiteral("&Flip Board"), false,
                          QKeySequence(Qt::CTRL | Qt::Key_F))),
      mnuSwitchSides(Command(owner, "mnuSwitchSides", QStringLiteral("&Switch Sides"))),
      mnuShowNumbers(Option(owner, "mnuShowNumbers", QStringLiteral("&Show Numbers"), true)),
      mnuInfoWindow(Option(owner, "mnuInfoWindow", QStringLiteral("&Info Window"), false)),
      mnuTitleValue(Option(owner, "mnuTitleValue", QStringLiteral("&Title Shows Value"), false)),
      mnuAbout(Command(owner, "mnuAbout", QStringLiteral("&About..."))),
      mnuRules{
          Option(owner, "mnuRulesKelmarin", QStringLiteral("&Kelmarin (a crowned man captures on)"), true),
          Option(owner, "mnuRulesEnglish", QStringLiteral("&English Tournament (crowning ends the turn)"),
                 false)},
      mnuExportPdn(Command(owner, "mnuExportPdn", QStringLiteral("&Export Game as PDN..."))),
      mnuCopyPdn(Command(owner, "mnuCopyPdn", QStringLiteral("&Copy Game as PDN"))),
      mnuImportPdn(Command(owner, "mnuImportPdn", QStringLiteral("&Import PDN Game..."))),
      mnuPastePosition(Command(owner, "mnuPastePosition", QStringLiteral("&Paste Position (FEN)"))),
      mnuSetUpPosition(Command(owner, "mnuSetUpPosition", QStringLiteral("Se&t Up Position..."))),
      mnuLevel{Option(owner, "mnuLevelClassic", QStringLiteral("&Classic"), true),
               Option(owner, "mnuLevelStrong", QStringLiteral("&Strong"), false),
               Option(owner, "mnuLevelExpert", QStringLiteral("&Expert"), false)},
      mnuHint(Command(owner, "mnuHint", QStringLiteral("&Hint"), QKeySequence(Qt::CTRL | Qt::Key_H))),
      mnuAnalysis(Option(owner, "mnuAnalysis", QStringLiteral("&Analysis"), false)),
      mnuHighlightLastMove(
          Option(owner, "mnuHighlightLastMove", QStringLiteral("Highlight &Last Move"), false)),
      mnuShowLegalMoves(Option(owner, "mnuShowLegalMoves", QStringLiteral("Show Legal Mo&ves"), false)),
      mnuStandardNumbers(
          Option(owner, "mnuStandardNumbers", QStringLiteral("Standard Square &Numbers"), false)),
      mnuZoom{Option(owner, "mnuZoom100", QStringLiteral("&100%"), true),
              Option(owner, "mnuZoom150", QStringLiteral("1&50%"), false),
              Option(owner, "mnuZoom200", QStringLiteral("&200%"), false)},
      mnuStopOnRepetition(
          Option(owner, "mnuStopOnRepetition", QStringLiteral("Stop Computer on &Repetition"), false))
{
    auto* zoom = new QActionGroup(owner);
    for (QAction* action : mnuZoom)
        zoom->addAction(action);
    auto* level = new QActionGroup(owner);
    for (QAction* action : mnuLevel)
        level->addAction(action);
    auto* rules = new QActionGroup(owner);
    for (QAction* action : mnuRules)
        rules->addAction(action);
}

Level MenuActions::ComputerLevel() const
{
    for (std::size_t k = 0; k < mnuLevel.size(); ++k)
        if (mnuLevel[k]->isChecked())
            return AllLevels[k];
    return Level::Classic;
}

Rules MenuActions::ChosenRules() const
{
    return mnuRules[1]->isChecked() ? Rules::English : Rules::Kelmarin;
}

void MenuActions::MarkRules(Rules rules) const
{
    mnuRules[rules == Rules::English ? 1 : 0]->setChecked(true); // the group clears the other mark
}

SquareNumbering MenuActions::Numbering() const
{
    return mnuStandardNumbers->isChecked() ? SquareNumbering::Standard : SquareNumbering::Board;
}

void MenuActions::FillMenuBar(QMenuBar* bar) const
{
    QMenu* mnuFile = bar->addMenu(QStringLiteral("&File"));
    mnuFile->setObjectName(QStringLiteral("mnuFile"));
    mnuFile->addAction(mnuNew);
    mnuFile->addSeparator();
    mnuFile->addAction(mnuLoad);
    mnuFile->addAction(mnuSave);
    mnuFile->addAction(mnuSaveAs);
    mnuFile->addSeparator();
    mnuFile->addAction(mnuExit);

    QMenu* mnuEdit = bar->addMenu(QStringLiteral("&Edit"));
    mnuEdit->setObjectName(QStringLiteral("mnuEdit"));
    mnuEdit->addAction(mnuUndo);
    mnuEdit->addAction(mnuRedo);
    mnuEdit->addSeparator();
    mnuEdit->addAction(mnuComputer[1]);
    mnuEdit->addAction(mnuComputer[2]);
    mnuEdit->addAction(mnuMoveNow);
    mnuEdit->addSeparator();
    mnuEdit->addAction(mnuFlipBoard);
    mnuEdit->addAction(mnuSwitchSides);

    QMenu* mnuOptions = bar->addMenu(QStringLiteral("&Options"));
    mnuOptions->setObjectName(QStringLiteral("mnuOptions"));
    mnuOptions->addAction(mnuShowNumbers);
    mnuOptions->addAction(mnuInfoWindow);
    mnuOptions->addAction(mnuTitleValue);

    FillToolsMenu(bar->addMenu(QStringLiteral("&Tools")));

    QMenu* mnuHelp = bar->addMenu(QStringLiteral("&Help"));
    mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    mnuHelp->addAction(mnuAbout);
}

// The additions, in groups divided by separators: the rules of the game come first, the game-record
// commands and the computer's next, each group followed by a separator; the view aids close the menu.
void MenuActions::FillToolsMenu(QMenu* mnuTools) const
{
    mnuTools->setObjectName(QStringLiteral("mnuTools"));
    QMenu* mnuRulesMenu = mnuTools->addMenu(QStringLiteral("R&ules"));
    mnuRulesMenu->setObjectName(QStringLiteral("mnuRules"));
    for (QAction* action : mnuRules)
        mnuRulesMenu->addAction(action);
    mnuTools->addSeparator();
    mnuTools->addAction(mnuExportPdn);
    mnuTools->addAction(mnuCopyPdn);
    mnuTools->addAction(mnuImportPdn);
    mnuTools->addAction(mnuPastePosition);
    mnuTools->addAction(mnuSetUpPosition);
    mnuTools->addSeparator();
    QMenu* mnuStrength = mnuTools->addMenu(QStringLiteral("Computer &Strength"));
    mnuStrength->setObjectName(QStringLiteral("mnuStrength"));
    for (QAction* action : mnuLevel)
        mnuStrength->addAction(action);
    mnuTools->addAction(mnuHint);
    mnuTools->addAction(mnuAnalysis);
    mnuTools->addSeparator();
    mnuTools->addAction(mnuHighlightLastMove);
    mnuTools->addAction(mnuShowLegalMoves);
    mnuTools->addAction(mnuStandardNumbers);
    QMenu* mnuZoomMenu = mnuTools->addMenu(QStringLiteral("&Zoom"));
    mnuZoomMenu->setObjectName(QStringLiteral("mnuZoom"));
    for (QAction* action : mnuZoom)
        mnuZoomMenu->addAction(action);
    mnuTools->addAction(mnuStopOnRepetition);
}

} // namespace kelmarin::ui
