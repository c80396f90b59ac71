#include "RecordCommands.h"

#include "Form1.h"
#include "GameFileIO.h"
#include "MenuActions.h"
#include "PdnReader.h"
#include "PdnWriter.h"
#include "UserDialogs.h"

#include <QAction>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QStringList>

#include <span>
#include <vector>

namespace kelmarin::ui {

namespace {

std::span<const std::uint8_t> Bytes(const std::string& text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

} // namespace

RecordCommands::RecordCommands(Form1& form, UserDialogs& dialogs, const MenuActions& menu)
    : QObject(&form), Form_(form), Dialogs_(dialogs)
{
    connect(menu.mnuExportPdn, &QAction::triggered, this, &RecordCommands::mnuExportPdn_Click);
    connect(menu.mnuCopyPdn, &QAction::triggered, this, &RecordCommands::mnuCopyPdn_Click);
    connect(menu.mnuImportPdn, &QAction::triggered, this, &RecordCommands::mnuImportPdn_Click);
    connect(menu.mnuPastePosition, &QAction::triggered, this, &RecordCommands::mnuPastePosition_Click);
}

std::string RecordCommands::GameText() const
{
    return WritePdnGame(Form_.Game(), ExportTags(Form_.Tags(), Form_.Game()));
}

void RecordCommands::mnuExportPdn_Click()
{
    const QString fileName = Dialogs_.ShowSavePdn(&Form_);
    if (fileName.isEmpty())
        return;
    const SaveResult saved = WriteFileSafely(QFile::encodeName(fileName).toStdString(), Bytes(GameText()));
    if (!saved)
        Dialogs_.ShowWarning(&Form_, QStringLiteral("Export Game as PDN"),
                             QStringLiteral("The game could not be exported to \"%1\": %2.")
                                 .arg(fileName, QString::fromStdString(saved.Reason)));
}

void RecordCommands::mnuCopyPdn_Click()
{
    QGuiApplication::clipboard()->setText(QString::fromStdString(GameText()));
}

void RecordCommands::mnuImportPdn_Click()
{
    Form_.StopThinking(); // the computer's answer would be for the game about to be replaced
    const QString fileName = Dialogs_.ShowOpenPdn(&Form_);
    if (fileName.isEmpty())
        return;
    // One byte past the limit, so that a larger file is refused as too large rather than cut short.
    const FileBytes read = ReadFileHead(QFile::encodeName(fileName).toStdString(), MaxPdnTextSize + 1);
    if (!read) {
        RefuseImport(fileName, read.Reason);
        return;
    }
    const std::string_view text(reinterpret_cast<const char*>(read.Bytes->data()), read.Bytes->size());
    const int number = ChooseGame(text);
    if (number == 0)
        return;
    const LoadResult game = ReadPdnGame(text, number, Form_.Game().GameRules);
    if (!TakeGame(game))
        RefuseImport(fileName, game.Reason);
}

void RecordCommands::RefuseImport(const QString& fileName, const std::string& reason)
{
    Dialogs_.ShowWarning(&Form_, QStringLiteral("Import PDN Game"),
                         QStringLiteral("The game could not be imported from \"%1\": %2.")
                             .arg(fileName, QString::fromStdString(reason)));
}

int RecordCommands::ChooseGame(std::string_view text)
{
    const std::vector<PdnGameInfo> games = ListPdnGames(text);
    if (games.size() < 2)
        return 1; // the one game, or none, which the reader then refuses with its reason
    auto shown = [](const std::string& tag) {
        return tag.empty() ? QStringLiteral("?") : QString::fromStdString(tag);
    };
    QStringList rows;
    for (const PdnGameInfo& game : games)
        rows << QStringLiteral("%1. %2: %3 - %4, %5")
                    .arg(game.Number)
                    .arg(shown(game.Event), shown(game.Black), shown(game.White), shown(game.Result));
    const int index = Dialogs_.ChoosePdnGame(&Form_, rows);
    return index >= 0 && index < static_cast<int>(games.size())
               ? games[static_cast<std::size_t>(index)].Number
               : 0;
}

void RecordCommands::mnuPastePosition_Click()
{
    Form_.StopThinking();
    const QByteArray text = QGuiApplication::clipboard()->text().toUtf8();
    const LoadResult read = ReadPastedPosition(
        std::string_view(text.constData(), static_cast<std::size_t>(text.size())), Form_.Game().GameRules);
    if (!TakeGame(read))
        Dialogs_.ShowWarning(
            &Form_, QStringLiteral("Paste Position"),
            QStringLiteral("The position could not be pasted: %1.").arg(QString::fromStdString(read.Reason)));
}

bool RecordCommands::TakeGame(const LoadResult& read)
{
    if (!read)
        return false;
    Form_.ReplaceGame(*read.Game, QString());
    return true;
}

} // namespace kelmarin::ui
