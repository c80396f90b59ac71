// A saved game named on kelmarin's command line is opened through Form1::OpenGameFile: it must leave
// exactly what Load leaves when the same file is chosen in its dialog, for a sound file and a refused one.
#include "UiTestSupport.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kelmarin::ui::testing {
namespace {

void ExpectSameWindow(Window& opened, Window& loaded)
{
    const GameState& a = opened.Game();
    const GameState& b = loaded.Game();
    EXPECT_EQ(a.Board, b.Board);
    EXPECT_EQ(a.MoveHistory, b.MoveHistory);
    EXPECT_EQ(a.HistoryPos, b.HistoryPos);
    EXPECT_EQ(a.SideToMove, b.SideToMove);
    EXPECT_EQ(a.SaveFileName, b.SaveFileName);
    for (QAction* MenuActions::*item : {&MenuActions::mnuFlipBoard, &MenuActions::mnuShowNumbers})
        EXPECT_EQ((opened.Menu().*item)->isChecked(), (loaded.Menu().*item)->isChecked());
    for (const int side : {Blue, Red})
        EXPECT_EQ(opened.Menu().mnuComputer[side]->isChecked(), loaded.Menu().mnuComputer[side]->isChecked());
    EXPECT_EQ(opened.Board().Picture(), loaded.Board().Picture());
    ASSERT_EQ(opened.Dialogs.Messages.size(), loaded.Dialogs.Messages.size());
    for (std::size_t k = 0; k < opened.Dialogs.Messages.size(); ++k)
        EXPECT_EQ(opened.Dialogs.Messages[k].Text, loaded.Dialogs.Messages[k].Text);
    EXPECT_EQ(opened.Dialogs.OpenCalls, 0) << "no dialog is shown for a file given at start";
}

TEST(OpenGameFile, LeavesWhatLoadLeaves)
{
    QTemporaryDir folder;
    const QString sound = folder.filePath(QStringLiteral("game.kmr"));
    const QString refused = folder.filePath(QStringLiteral("short.kmr"));
    {
        Window saver;
        saver.Menu().mnuComputer[Red]->trigger();
        saver.Menu().mnuFlipBoard->trigger();
        for (int step = 0; step < 7; ++step)
            saver.Menu().mnuMoveNow->trigger();
        saver.Menu().mnuUndo->trigger();
        saver.Dialogs.SaveAnswers << sound;
        saver.Menu().mnuSaveAs->trigger();
        QFile file(refused);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(40, '\1'));
    }
    for (const QString& path : {sound, refused}) {
        SCOPED_TRACE(path.toStdString());
        Window opened, loaded;
        opened.Form->OpenGameFile(path);
        loaded.Dialogs.OpenAnswers << path;
        loaded.Menu().mnuLoad->trigger();
        ExpectSameWindow(opened, loaded);
        EXPECT_EQ(opened.Game().SaveFileName, path == sound ? path.toStdString() : std::string());
        EXPECT_EQ(opened.Game().HistoryPos, path == sound ? 6 : 0);
    }
}

} // namespace
} // namespace kelmarin::ui::testing
