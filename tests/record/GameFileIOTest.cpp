#include "GameFileIO.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelmarin {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

class GameFileIOTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (fs::temp_directory_path() / "kelmarin-io-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        Folder = pattern;
        Game.New();
        for (const TMove& step : {TMove{5, 6, 4, 5, 2, 0}, TMove{8, 3, 7, 4, 1, 0}, TMove{4, 7, 5, 6, 2, 0}})
            Game.MakeMove(&step, true);
        Game.Undo();
    }
    void TearDown() override
    {
        fs::permissions(Folder, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(Folder);
    }

    static Bytes Contents(const fs::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        return Bytes(std::istreambuf_iterator<char>(in), {});
    }
    static void Put(const fs::path& path, const std::string& text)
    {
        std::ofstream(path, std::ios::binary) << text;
    }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(Folder))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    Bytes Expected() const { return EncodeGameFile(SavedGame::FromGame(Game, Options)); }

    fs::path Folder;
    GameState Game;
    SavedOptions Options{true, false, true};
};

TEST_F(GameFileIOTest, WritesExactlyTheGameAndReadsItBack)
{
    const fs::path path = Folder / "game.kmr";
    Put(path, std::string(1000, 'x')); // a longer old file is replaced whole
    fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const SaveResult saved = WriteGameFile(path, Game, Options);
    ASSERT_TRUE(saved) << saved.Reason;
    EXPECT_EQ(saved.Reason, "");
    EXPECT_EQ(Contents(path), Expected());
    EXPECT_EQ(fs::file_size(path), GameFileSize(3));
    EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(Names(), std::vector<std::string>{"game.kmr"}) << "no temporary file is left behind";

    const LoadResult loaded = ReadGameFile(path);
    ASSERT_TRUE(loaded) << loaded.Reason;
    EXPECT_EQ(*loaded.Game, SavedGame::FromGame(Game, Options));
}

TEST_F(GameFileIOTest, SavingThroughALinkOrUnderALongNameReplacesTheFileNamed)
{
    const fs::path longName = Folder / (std::string(250, 'g') + ".kmr");
    const SaveResult saved = WriteGameFile(longName, Game, Options);
    ASSERT_TRUE(saved) << saved.Reason;
    EXPECT_EQ(Contents(longName), Expected());
    fs::remove(longName);

    fs::create_directory(Folder / "real");
    Put(Folder / "real" / "game.kmr", "old");
    fs::create_symlink("real/game.kmr", Folder / "link.kmr");
    ASSERT_TRUE(WriteGameFile(Folder / "link.kmr", Game, Options));
    EXPECT_TRUE(fs::is_symlink(Folder / "link.kmr"));
    EXPECT_EQ(Contents(Folder / "real" / "game.kmr"), Expected());
}

TEST_F(GameFileIOTest, FailedSavesLeaveTheOldFileAndNoTemporary)
{
    const SaveResult gone = WriteGameFile(Folder / "missing" / "game.kmr", Game, Options);
    EXPECT_FALSE(gone);
    EXPECT_EQ(gone.Reason, "cannot create a temporary file in " + (Folder / "missing").string() +
                               ": No such file or directory");
    EXPECT_FALSE(WriteGameFile("", Game, Options));

    // A folder where the file should be cannot be replaced.
    fs::create_directory(Folder / "taken.kmr");
    Put(Folder / "taken.kmr" / "inside", "keep");
    const SaveResult taken = WriteGameFile(Folder / "taken.kmr", Game, Options);
    EXPECT_FALSE(taken);
    EXPECT_EQ(taken.Reason, "it is a folder, not a regular file");
    EXPECT_EQ(Contents(Folder / "taken.kmr" / "inside"), (Bytes{'k', 'e', 'e', 'p'}));

    // A full disk: the file size limit makes the write fail part-way, even for root.
    const fs::path path = Folder / "game.kmr";
    Put(path, "the old game");
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 50;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const SaveResult full = WriteGameFile(path, Game, Options);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(full);
    EXPECT_EQ(full.Reason, "cannot write the new file: File too large");
    EXPECT_EQ(Contents(path), (Bytes{'t', 'h', 'e', ' ', 'o', 'l', 'd', ' ', 'g', 'a', 'm', 'e'}));
    EXPECT_EQ(Names(), (std::vector<std::string>{"game.kmr", "taken.kmr"}));

    if (geteuid() != 0) { // root writes into any folder
        fs::permissions(Folder, fs::perms::owner_read | fs::perms::owner_exec);
        const SaveResult denied = WriteGameFile(path, Game, Options);
        EXPECT_FALSE(denied);
        EXPECT_NE(denied.Reason.find("Permission denied"), std::string::npos) << denied.Reason;
        EXPECT_EQ(Contents(path).size(), 12u);
    }
}

// Saving renames a new file over the old one, so targets where that would lose something are refused
// and left exactly as they were; a link to a regular file is written through and stays a link.
TEST_F(GameFileIOTest, TargetsARenameWouldSpoilAreRefusedUntouched)
{
    const fs::path locked = Folder / "locked.kmr";
    Put(locked, "old");
    fs::permissions(locked, fs::perms::owner_read);
    EXPECT_EQ(WriteGameFile(locked, Game, Options).Reason, "the file is read-only") << "also for root";
    EXPECT_EQ(Contents(locked).size(), 3u);

    const fs::path pipe = Folder / "pipe.kmr";
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_EQ(WriteGameFile(pipe, Game, Options).Reason, "it is a named pipe, not a regular file");
    EXPECT_TRUE(fs::is_fifo(pipe));

    const fs::path shared = Folder / "shared.kmr";
    Put(shared, "old");
    fs::create_hard_link(shared, Folder / "other-name.kmr");
    EXPECT_EQ(WriteGameFile(shared, Game, Options).Reason,
              "the file has 2 hard links, and saving would cut it off from the others");
    EXPECT_EQ(fs::hard_link_count(shared), 2u);

    if (fs::exists("/dev/null")) {
        EXPECT_EQ(WriteGameFile("/dev/null", Game, Options).Reason, "it is a device, not a regular file");
    }

    const fs::path real = Folder / "real.kmr";
    Put(real, "old");
    fs::create_symlink(real, Folder / "link.kmr");
    ASSERT_TRUE(WriteGameFile(Folder / "link.kmr", Game, Options));
    EXPECT_TRUE(fs::is_symlink(Folder / "link.kmr"));
    EXPECT_EQ(Contents(real), Expected());
}

// Past the read buffer's first growth: a limit cuts the file exactly, a larger one takes all of it.
TEST_F(GameFileIOTest, ReadFileHeadTakesAtMostTheLimit)
{
    std::string text(200000, 'a');
    for (std::size_t k = 0; k < text.size(); k += 7)
        text[k] = static_cast<char>('0' + k % 10);
    Put(Folder / "long.pdn", text);
    const FileBytes head = ReadFileHead(Folder / "long.pdn", 150001);
    ASSERT_TRUE(head) << head.Reason;
    EXPECT_EQ(*head.Bytes, Bytes(text.begin(), text.begin() + 150001));
    EXPECT_EQ(ReadFileHead(Folder / "long.pdn", 1u << 20).Bytes, Bytes(text.begin(), text.end()));
    EXPECT_EQ(ReadFileHead(Folder, 10).Reason, "it is a folder, not a regular file");
}

TEST_F(GameFileIOTest, UnreadableAndBadFilesGiveAReason)
{
    EXPECT_EQ(ReadGameFile(Folder / "missing.kmr").Reason, "cannot open the file: No such file or directory");
    EXPECT_EQ(ReadGameFile(Folder).Reason, "it is a folder, not a regular file");
    // A pipe is refused at once, also while a writer holds it open.
    ASSERT_EQ(mkfifo((Folder / "pipe").c_str(), 0600), 0);
    const int writer = open((Folder / "pipe").c_str(), O_RDWR | O_NONBLOCK);
    EXPECT_EQ(ReadGameFile(Folder / "pipe").Reason, "it is a named pipe, not a regular file");
    close(writer);
    fs::remove(Folder / "pipe");
    EXPECT_EQ(ReadGameFile("").Reason, "no file name was given");
    Put(Folder / "short.kmr", "0123456789");
    const LoadResult result = ReadGameFile(Folder / "short.kmr");
    EXPECT_FALSE(result);
    EXPECT_EQ(result.Reason,
              "the file is too short for a saved game: it has 10 bytes, at least 78 are needed");

    // Loading as the window does: a refused file leaves the game in play exactly as it was.
    Bytes spoiled = Expected();
    spoiled[spoiled.size() - 8] = 7; // side to move
    std::ofstream(Folder / "spoiled.kmr", std::ios::binary)
        .write(reinterpret_cast<const char*>(spoiled.data()), static_cast<std::streamsize>(spoiled.size()));
    const GameState before = Game;
    for (const char* name : {"missing.kmr", "short.kmr", "spoiled.kmr"}) {
        const LoadResult attempt = ReadGameFile(Folder / name);
        if (attempt)
            attempt.Game->ApplyTo(Game);
        EXPECT_FALSE(attempt) << name;
        EXPECT_EQ(Game.Board, before.Board);
        EXPECT_EQ(Game.MoveHistory, before.MoveHistory);
        EXPECT_EQ(Game.HistoryPos, before.HistoryPos);
        EXPECT_EQ(Game.SideToMove, before.SideToMove);
    }
    EXPECT_EQ(ReadGameFile(Folder / "spoiled.kmr").Reason, "side to move is 7");

    // A file far longer than any game: only the game's own bytes count.
    Bytes bytes = Expected();
    bytes.resize(MaxGameFileSize + 1000, 0xAB);
    std::ofstream(Folder / "long.kmr", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    const LoadResult longFile = ReadGameFile(Folder / "long.kmr");
    ASSERT_TRUE(longFile) << longFile.Reason;
    EXPECT_EQ(*longFile.Game, SavedGame::FromGame(Game, Options));
}

} // namespace
} // namespace kelmarin
