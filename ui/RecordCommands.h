// The game-record commands of the Tools menu: the game out to a PDN file or the clipboard, and a PDN
// game or a FEN position in from a file or the clipboard.
//
// A game taken in replaces the one on the board as Load does, but a PDN game carries no options, so
// the Computer Plays and Flip Board marks stay as they are, and it has no saved-game file, so the
// game's file name is cleared. Its tags become the game's, for Export and Copy and for Save. It is
// read under the rules chosen, or the other rules when only those fit its moves, and the Rules mark
// follows. Anything refused is reported and changes nothing.
#pragma once

#include "GameFile.h"

#include <QObject>
#include <QString>

#include <string>
#include <string_view>

namespace kelmarin::ui {

class Form1;
class MenuActions;
class UserDialogs;

class RecordCommands final : public QObject {
    Q_OBJECT

public:
    RecordCommands(Form1& form, UserDialogs& dialogs, const MenuActions& menu);

private:
    void mnuExportPdn_Click();
    void mnuCopyPdn_Click();
    void mnuImportPdn_Click();
    void mnuPastePosition_Click();

    // The game as it stands, its applied steps, as one PDN game.
    std::string GameText() const;
    // The game number chosen from the text's games (the only one without asking), or 0 if cancelled.
    int ChooseGame(std::string_view text);
    // Puts the game read on the board; a refused one changes nothing.
    bool TakeGame(const LoadResult& read);
    void RefuseImport(const QString& fileName, const std::string& reason);

    Form1& Form_;
    UserDialogs& Dialogs_;
};

} // namespace kelmarin::ui
