// Every command of the main window as an action: caption with its access letter, shortcut key and,
// for the options, the check mark that is the option's state. The actions are created here in one
// place and put into the menu bar by FillMenuBar; the window connects them to its handlers.
#pragma once

#include <array>

class QAction;
class QMenuBar;
class QObject;

namespace kelmarin::ui {

class MenuActions {
public:
    explicit MenuActions(QObject* owner);

    void FillMenuBar(QMenuBar* bar) const;

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
};

} // namespace kelmarin::ui
