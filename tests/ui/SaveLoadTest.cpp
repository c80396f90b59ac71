// Save, Save As and Load from the window, with the file dialogs answered by the test.
#include "UiTestSupport.h"

#include "Form2.h"
#include "MoveListBox.h"
#include "Notation.h"
#include "PdnReader.h"

#include <QClipboard>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kelmarin::ui::testing {
namespace {

void Write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

struct Marks {
    bool Blue, Red, Flip;
    bool operator==(const Marks&) const = default;
};

Marks MarksOf(Window& window)
{
    return {window.Menu().mnuComputer[Blue]->isChecked(), window.Menu().mnuComputer[Red]->isChecked(),
            window.Menu().mnuFlipBoard->isChecked()};
}

TEST(SaveLoad, SaveAfterNewAsksForANameAndCancelChangesNothing)
{
    QTemporaryDir folder;
    Window window;
    window.Menu().mnuSave->trigger();
    EXPECT_EQ(window.Dialogs.SaveCalls, 1) << "Save after New runs Save As";
    EXPECT_TRUE(window.Game().SaveFileName.empty());
    EXPECT_TRUE(QDir(folder.path()).isEmpty());
    window.Menu().mnuLoad->trigger();
    EXPECT_EQ(window.Dialogs.OpenCalls, 1);
    EXPECT_EQ(window.Game().HistoryCount(), 0);
    EXPECT_TRUE(window.Dialogs.Messages.empty());
}

TEST(SaveLoad, NewGameIsTheDocumentedSeventyEightBytes)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("new.kmr"));
    Window window;
    window.Dialogs.SaveAnswers << path;
    window.Menu().mnuSaveAs->trigger();
    const QByteArray column12 = QByteArray::fromHex("01000000020002000100010000000200");
    const QByteArray expected = column12.repeated(4) + QByteArray::fromHex("00000000"
                                                                           "0000"
                                                                           "0200"
                                                                           "ffff"
                                                                           "0000"
                                                                           "0000");
    EXPECT_EQ(Contents(path), expected);
    EXPECT_EQ(window.Game().SaveFileName, path.toStdString());

    // From now on Save writes without asking.
    window.Menu().mnuComputer[Blue]->trigger();
    window.ClickSquare(3, 6);
    window.ClickSquare(4, 5);
    window.Menu().mnuSave->trigger();
    EXPECT_EQ(window.Dialogs.SaveCalls, 1);
    EXPECT_EQ(Contents(path).size(), 78 + 12);
}

TEST(SaveLoad, LoadRestoresHistoryRedoTailMarksAndOrientation)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("game.kmr"));
    Window window;
    GameState& game = window.Game();
    window.Menu().mnuComputer[Blue]->trigger();
    for (int step = 0; step < 6; ++step)
        window.Menu().mnuMoveNow->trigger();
    window.Menu().mnuUndo->trigger();
    window.Menu().mnuUndo->trigger();
    window.Menu().mnuComputer[Red]->trigger();
    window.Menu().mnuFlipBoard->trigger();
    const Marks marks = MarksOf(window);
    const std::vector<TMove> history = game.MoveHistory;
    const std::int16_t position = game.HistoryPos;
    const QImage picture = window.Board().Picture();
    window.Dialogs.SaveAnswers << path;
    window.Menu().mnuSaveAs->trigger();

    window.Menu().mnuNew->trigger();
    window.Menu().mnuComputer[Red]->trigger();
    window.Menu().mnuFlipBoard->trigger();
    game.SetSelection(3, 6);
    window.Dialogs.OpenAnswers << path;
    window.Menu().mnuLoad->trigger();
    EXPECT_TRUE(window.Dialogs.Messages.empty());
    EXPECT_EQ(MarksOf(window), marks);
    EXPECT_EQ(game.MoveHistory, history);
    EXPECT_EQ(game.HistoryPos, position);
    EXPECT_EQ(game.SelectedSquare, (TSquare{0, 0})) << "Load clears the selection";
    int taken = 0;
    for (int k = 1; k <= game.HistoryPos; ++k)
        taken += game.HistoryEntry(k).CapturedCoin != 0;
    EXPECT_EQ(game.CoinCount[Blue] + game.CoinCount[Red], 24 - taken) << "the pieces are counted afresh";
    EXPECT_EQ(window.Board().Picture(), picture) << "drawn as it was, flipped";
    EXPECT_EQ(game.SaveFileName, path.toStdString());
    EXPECT_EQ(window.Form->Timer1().Interval(), 0) << "Load starts no computer step";

    window.Menu().mnuRedo->trigger();
    window.Menu().mnuRedo->trigger();
    EXPECT_EQ(game.HistoryPos, position + 2);
    window.Menu().mnuSave->trigger();
    EXPECT_EQ(window.Dialogs.SaveCalls, 1) << "after Load, Save writes without asking";
}

TEST(SaveLoad, RefusedFileLeavesEverythingAndSaysWhy)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("short.kmr"));
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(40, '\1'));
    }
    Window window;
    window.Menu().mnuComputer[Blue]->trigger();
    window.ClickSquare(3, 6);
    window.ClickSquare(4, 5);
    window.ClickSquare(4, 3); // Blue's man selected
    window.Game().SaveFileName = "kept.kmr";
    const GameState before = window.Game();
    const QImage picture = window.Board().Picture();
    const Marks marks = MarksOf(window);

    window.Dialogs.OpenAnswers << path;
    window.Menu().mnuLoad->trigger();
    ASSERT_EQ(window.Dialogs.Messages.size(), 1u);
    const auto& message = window.Dialogs.Messages[0];
    EXPECT_EQ(message.Kind, QStringLiteral("warning"));
    EXPECT_TRUE(message.Text.contains(path)) << message.Text.toStdString();
    EXPECT_TRUE(message.Text.contains(QStringLiteral("too short"))) << message.Text.toStdString();
    const GameState& after = window.Game();
    EXPECT_EQ(after.Board, before.Board);
    EXPECT_EQ(after.MoveHistory, before.MoveHistory);
    EXPECT_EQ(after.HistoryPos, before.HistoryPos);
    EXPECT_EQ(after.SideToMove, before.SideToMove);
    EXPECT_EQ(after.SelectedSquare, before.SelectedSquare);
    EXPECT_EQ(after.SaveFileName, "kept.kmr");
    EXPECT_EQ(MarksOf(window), marks);
    EXPECT_EQ(window.Board().Picture(), picture);

    window.Dialogs.OpenAnswers << folder.filePath(QStringLiteral("missing.kmr"));
    window.Menu().mnuLoad->trigger();
    ASSERT_EQ(window.Dialogs.Messages.size(), 2u);
    EXPECT_TRUE(window.Dialogs.Messages[1].Text.contains(QStringLiteral("missing.kmr")));
}

TEST(SaveLoad, FailedSaveSaysWhyAndKeepsTheFileName)
{
    QTemporaryDir folder;
    const QString gone = folder.filePath(QStringLiteral("gone/game.kmr"));
    Window window;
    window.Dialogs.SaveAnswers << gone;
    window.Menu().mnuSaveAs->trigger();
    ASSERT_EQ(window.Dialogs.Messages.size(), 1u);
    EXPECT_EQ(window.Dialogs.Messages[0].Kind, QStringLiteral("warning"));
    EXPECT_TRUE(window.Dialogs.Messages[0].Text.contains(gone));
    EXPECT_TRUE(window.Game().SaveFileName.empty()) << "nothing was saved under that name";
    EXPECT_FALSE(QFile::exists(gone));

    // A folder that disappears under a saved game: Save reports it; the game stays as it is.
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("gone")));
    window.Dialogs.SaveAnswers << gone;
    window.Menu().mnuSaveAs->trigger();
    ASSERT_TRUE(QFile::exists(gone));
    ASSERT_TRUE(QDir(folder.filePath(QStringLiteral("gone"))).removeRecursively());
    window.Menu().mnuSave->trigger();
    EXPECT_EQ(window.Dialogs.Messages.size(), 2u);
    EXPECT_EQ(window.Game().SaveFileName, gone.toStdString());
}

TEST(SaveLoad, FinishedGameLoadsWithBannerAndResult)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("over.kmr"));
    Window window;
    ClearBoard(window.Game());
    window.Game().Board(2, 1) = BlueMan;
    FinishSetup(window.Game(), Red);
    window.Dialogs.SaveAnswers << path;
    window.Menu().mnuSaveAs->trigger();
    window.Menu().mnuNew->trigger();
    window.Dialogs.OpenAnswers << path;
    window.Menu().mnuLoad->trigger();
    ASSERT_TRUE(window.Dialogs.Messages.empty());
    EXPECT_TRUE(window.Game().IsGameOver());
    int banner = 0;
    const QImage& image = window.Board().Picture();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            banner += image.pixelColor(x, y) == QColor(0, 0, 127);
    EXPECT_GT(banner, 50);
    EXPECT_EQ(window.Form->InfoWindow().txtMoves->toPlainText(), QStringLiteral("; Blue has won."));
}

// Import replaces the game as Load does, but keeps the window's marks and clears the file name.
TEST(SaveLoad, ImportedPdnGameReplacesTheGameAndARefusedOneChangesNothing)
{
    QTemporaryDir folder;
    const QString two = folder.filePath(QStringLiteral("two.pdn"));
    const QByteArray text = "[Event \"a\"]\n[Black \"Ann\"]\n[White \"Bob\"]\n[Result \"1-0\"]\n"
                            "1. 11-15 22-18 1-0\n\n[Event \"b\"]\n1. 11-15 22-18 2. 15x22 *\n";
    Write(two, text);
    Window window;
    window.Menu().mnuComputer[Blue]->trigger();
    window.Menu().mnuFlipBoard->trigger();
    window.ClickSquare(3, 6);
    window.ClickSquare(4, 5);
    window.ClickSquare(4, 3);
    window.Game().SaveFileName = "kept.kmr";
    window.Form->Timer1().SetInterval(250);
    const Marks marks = MarksOf(window);

    window.Dialogs.OpenPdnAnswers << two;
    window.Dialogs.ChosenRow = 1;
    window.Menu().mnuImportPdn->trigger();
    EXPECT_EQ(window.Dialogs.OfferedRows, (QStringList{"1. a: Ann - Bob, 1-0", "2. b: ? - ?, *"}));
    EXPECT_TRUE(window.Dialogs.Messages.empty());
    GameState expected;
    ReadPdnGame(text.toStdString(), 2).Game->ApplyTo(expected);
    GameState& game = window.Game();
    EXPECT_EQ(game.Board, expected.Board);
    EXPECT_EQ(game.HistoryPos, 3);
    EXPECT_EQ(game.SelectedSquare, (TSquare{0, 0}));
    EXPECT_EQ(window.Form->InfoWindow().txtMoves->toPlainText(),
              QString::fromStdString(MoveListText(expected)));
    EXPECT_TRUE(game.SaveFileName.empty());
    EXPECT_EQ(MarksOf(window), marks);
    EXPECT_EQ(window.Form->Timer1().Interval(), 250);
    window.Form->Timer1().SetInterval(0);

    const QString bad = folder.filePath(QStringLiteral("bad.pdn"));
    Write(bad, "[Event \"c\"]\n1. 11-18 *\n");
    game.SaveFileName = "kept.kmr";
    const GameState before = game;
    const QImage picture = window.Board().Picture();
    window.Dialogs.OpenPdnAnswers << bad;
    window.Menu().mnuImportPdn->trigger();
    ASSERT_EQ(window.Dialogs.Messages.size(), 1u);
    EXPECT_EQ(window.Dialogs.Messages[0].Title, QStringLiteral("Import PDN Game"));
    EXPECT_TRUE(window.Dialogs.Messages[0].Text.contains(bad + QStringLiteral("\": game 1")))
        << window.Dialogs.Messages[0].Text.toStdString();
    EXPECT_EQ(game.MoveHistory, before.MoveHistory);
    EXPECT_EQ(game.HistoryPos, before.HistoryPos);
    EXPECT_EQ(game.SaveFileName, "kept.kmr");
    EXPECT_EQ(window.Board().Picture(), picture);
}

// Export writes the applied steps, Copy the same text, and Paste takes it back.
TEST(SaveLoad, ExportCopyAndPasteCarryTheAppliedSteps)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("out.pdn"));
    Window window;
    GameState& game = window.Game();
    for (int step = 0; step < 5; ++step)
        window.Menu().mnuMoveNow->trigger();
    window.Menu().mnuUndo->trigger();
    const std::vector<TMove> applied(game.MoveHistory.begin(), game.MoveHistory.begin() + game.HistoryPos);
    window.Dialogs.SavePdnAnswers << path << folder.filePath(QStringLiteral("gone/out.pdn"));
    window.Menu().mnuExportPdn->trigger();
    const LoadResult read = ReadPdnGame(Contents(path).toStdString());
    ASSERT_TRUE(read) << read.Reason;
    EXPECT_EQ(read.Game->MoveHistory, applied);
    window.Menu().mnuExportPdn->trigger();
    ASSERT_EQ(window.Dialogs.Messages.size(), 1u) << "a refused write says why";
    EXPECT_TRUE(window.Dialogs.Messages[0].Text.contains(QStringLiteral("gone/out.pdn")));

    window.Menu().mnuCopyPdn->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text().toUtf8(), Contents(path));
    window.Menu().mnuNew->trigger();
    window.Menu().mnuPastePosition->trigger();
    EXPECT_EQ(game.MoveHistory, applied);
    QGuiApplication::clipboard()->setText(QStringLiteral("W:W33"));
    window.Menu().mnuPastePosition->trigger();
    ASSERT_EQ(window.Dialogs.Messages.size(), 2u);
    EXPECT_EQ(window.Dialogs.Messages[1].Title, QStringLiteral("Paste Position"));
    EXPECT_EQ(game.MoveHistory, applied);
}

// An imported game's tags are the game's: Export writes them, Save and Load keep them, and New or a
// Load of a file without tags clears them.
TEST(SaveLoad, ImportedTagsStayWithTheGame)
{
    QTemporaryDir folder;
    const QString in = folder.filePath(QStringLiteral("in.pdn"));
    const QString out = folder.filePath(QStringLiteral("out.pdn"));
    const QString kmr = folder.filePath(QStringLiteral("tagged.kmr"));
    const QString bare = folder.filePath(QStringLiteral("bare.kmr"));
    const QByteArray text = "[Event \"Open\"]\n[Site \"Glasgow\"]\n[Date \"1987.06.01\"]\n[Round \"3\"]\n"
                            "[Black \"Ann\"]\n[White \"Bob\"]\n[Result \"1-0\"]\n[Annotator \"Cy\"]\n"
                            "[GameType \"21\"]\n\n1. 11-15 23-19 1-0\n";
    Write(in, text);
    Window window;
    window.Dialogs.SaveAnswers << bare;
    window.Menu().mnuSaveAs->trigger();
    window.Dialogs.OpenPdnAnswers << in;
    window.Menu().mnuImportPdn->trigger();
    window.Dialogs.SavePdnAnswers << out;
    window.Menu().mnuExportPdn->trigger();
    EXPECT_EQ(Contents(out), text);

    window.Dialogs.SaveAnswers << kmr;
    window.Menu().mnuSaveAs->trigger();
    window.Dialogs.OpenAnswers << bare << kmr;
    window.Menu().mnuLoad->trigger();
    EXPECT_TRUE(window.Form->Tags().Empty());
    window.Menu().mnuLoad->trigger();
    window.Menu().mnuCopyPdn->trigger();
    EXPECT_EQ(QGuiApplication::clipboard()->text().toUtf8(), text);
    window.Menu().mnuNew->trigger();
    EXPECT_TRUE(window.Form->Tags().Empty());
    ASSERT_TRUE(window.Dialogs.Messages.empty());
}

} // namespace
} // namespace kelmarin::ui::testing
