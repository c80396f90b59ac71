// Replays saved inputs of the fuzz target without the fuzzer: every file named, or found under a
// folder named, on the command line. Any fault aborts; no input found is a failure too.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace fs = std::filesystem;

static void Replay(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> text((std::istreambuf_iterator<char>(in)), {});
    const std::vector<std::uint8_t> bytes(text.begin(), text.end());
    LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
}

int main(int argc, char** argv)
{
    int count = 0;
    for (int a = 1; a < argc; ++a) {
        const fs::path root = argv[a];
        if (fs::is_directory(root)) {
            for (const auto& entry : fs::recursive_directory_iterator(root))
                if (entry.is_regular_file() && entry.path().filename() != "README") {
                    Replay(entry.path());
                    ++count;
                }
        } else if (fs::is_regular_file(root)) {
            Replay(root);
            ++count;
        }
    }
    std::printf("replayed %d inputs\n", count);
    return count > 0 ? 0 : 1;
}
