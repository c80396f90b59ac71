// Runs kelmarin-cli as a script would, in a scratch folder, and keeps its exit status and output.
// The test target defines KELMARIN_CLI as the tool's path.
#pragma once

#include "GameFileIO.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>

namespace kelmarin::testing {

struct CliRun {
    int Status = -1;
    std::string Out;
    std::string Err;
};

class CliFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kelmarin-cli-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        Folder = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(Folder); }

    static std::string Read(const std::filesystem::path& path)
    {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    CliRun Cli(const std::string& arguments) const
    {
        const std::string command = std::string(KELMARIN_CLI) + " " + arguments + " >" +
                                    (Folder / "out").string() + " 2>" + (Folder / "err").string();
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, Read(Folder / "out"), Read(Folder / "err")};
    }

    std::string Save(const GameState& game, const std::string& name) const
    {
        const std::string path = (Folder / name).string();
        EXPECT_TRUE(WriteGameFile(path, game, {}));
        return path;
    }

    std::filesystem::path Folder;
};

} // namespace kelmarin::testing
