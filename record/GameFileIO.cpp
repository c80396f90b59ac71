#include "GameFileIO.h"

#include "HistoryRules.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kelmarin {

namespace {

std::string SystemError(const std::string& what, int error)
{
    return what + ": " + std::strerror(error);
}

SaveResult Failed(std::string reason)
{
    return {false, std::move(reason)};
}

// The folder part of a path, "." when there is none.
std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A link is followed, so that saving through it replaces the file it points to, not the link.
std::string ResolveTarget(const std::string& path)
{
    struct stat info {};
    if (lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return path;
    char* resolved = realpath(path.c_str(), nullptr);
    if (resolved == nullptr)
        return path;
    std::string target = resolved;
    std::free(resolved);
    return target;
}

// A replaced file keeps its permissions and, where allowed, its owner; a new one gets the usual
// permissions for a user's file.
bool TakeOverAttributes(int fd, const std::string& target)
{
    struct stat info {};
    if (stat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
        // Keeping the owner is best effort, as only root may give a file away.
        [[maybe_unused]] const int ownerKept = fchown(fd, info.st_uid, info.st_gid);
        return fchmod(fd, info.st_mode & 07777) == 0;
    }
    const mode_t mask = umask(0);
    umask(mask);
    return fchmod(fd, 0666 & ~mask) == 0;
}

// What a file that is not a regular file is, for the reason a save or a load is refused.
std::string NotRegular(mode_t mode)
{
    const char* kind = S_ISDIR(mode)                    ? "a folder"
                       : S_ISFIFO(mode)                 ? "a named pipe"
                       : S_ISSOCK(mode)                 ? "a socket"
                       : S_ISCHR(mode) || S_ISBLK(mode) ? "a device"
                                                        : "a special file";
    return std::string("it is ") + kind + ", not a regular file";
}

// A save replaces the file by renaming a new one over it, so it must not be used where that would
// lose something the user expects to keep: a file marked read-only (refused for root too, as
// editors do), something that is not a plain file, or a file that other hard links share.
std::string RefuseToReplace(const std::string& target)
{
    struct stat info {};
    if (stat(target.c_str(), &info) != 0)
        return errno == ENOENT ? std::string() : SystemError("cannot examine the file", errno);
    if (!S_ISREG(info.st_mode))
        return NotRegular(info.st_mode);
    if ((info.st_mode & S_IWUSR) == 0)
        return "the file is read-only";
    if (info.st_nlink > 1)
        return "the file has " + std::to_string(info.st_nlink) +
               " hard links, and saving would cut it off from the others";
    return {};
}

bool WriteAll(int fd, std::span<const std::uint8_t> bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (written == 0) {
            errno = ENOSPC;
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

} // namespace

SaveResult WriteGameFile(const std::string& path, const GameState& game, const SavedOptions& options,
                         const GameTags& tags)
{
    SavedGame saved = SavedGame::FromGame(game, options);
    saved.Tags = tags;
    return WriteFileSafely(path, EncodeGameFile(saved));
}

SaveResult WriteFileSafely(const std::string& path, std::span<const std::uint8_t> bytes)
{
    if (path.empty())
        return Failed("no file name was given");
    const std::string target = ResolveTarget(path);
    const std::string folder = FolderOf(target);
    const std::string name = target.substr(target.find_last_of('/') + 1);
    if (name.empty() || name == "." || name == "..")
        return Failed("the name does not name a file");
    if (std::string refused = RefuseToReplace(target); !refused.empty())
        return Failed(std::move(refused));

    // Named after the file, unless that would pass the length limit of a name.
    std::string temporary =
        folder + (name.size() < 200 ? "/." + name : std::string("/.kelmarin-save")) + ".XXXXXX";
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return Failed(SystemError("cannot create a temporary file in " + folder, errno));

    std::string fault;
    if (!TakeOverAttributes(fd, target))
        fault = SystemError("cannot set the permissions of the new file", errno);
    else if (!WriteAll(fd, bytes))
        fault = SystemError("cannot write the new file", errno);
    else if (fsync(fd) != 0)
        fault = SystemError("cannot flush the new file to the disk", errno);
    // A failing close can be the first report of a failed write, so it counts too.
    if (close(fd) != 0 && fault.empty())
        fault = SystemError("cannot write the new file", errno);
    if (fault.empty() && rename(temporary.c_str(), target.c_str()) != 0)
        fault = SystemError("cannot replace the file", errno);
    if (!fault.empty()) {
        unlink(temporary.c_str());
        return Failed(fault);
    }

    // The rename itself is made durable by flushing the folder; the save has already succeeded, so a
    // folder that cannot be flushed is no failure.
    const int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        fsync(folderFd);
        close(folderFd);
    }
    return {true, {}};
}

FileBytes ReadFileHead(const std::string& path, std::size_t limit)
{
    if (path.empty())
        return {std::nullopt, "no file name was given"};
    // Opened without waiting, so that a pipe or a device never holds the window up; only a regular
    // file is read, and for one the flag changes nothing.
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return {std::nullopt, SystemError("cannot open the file", errno)};
    struct stat info {};
    std::string refused;
    if (fstat(fd, &info) != 0)
        refused = SystemError("cannot examine the file", errno);
    else if (!S_ISREG(info.st_mode))
        refused = NotRegular(info.st_mode);
    if (!refused.empty()) {
        close(fd);
        return {std::nullopt, refused};
    }
    // Grown as the file turns out longer, so a small file never costs the whole limit.
    constexpr std::size_t Chunk = 64u << 10;
    std::vector<std::uint8_t> bytes;
    std::size_t size = 0;
    while (size < limit) {
        if (size == bytes.size())
            bytes.resize(std::min(limit, size + Chunk));
        const ssize_t got = read(fd, bytes.data() + size, bytes.size() - size);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            close(fd);
            return {std::nullopt, SystemError("cannot read the file", error)};
        }
        if (got == 0)
            break;
        size += static_cast<std::size_t>(got);
    }
    close(fd);
    bytes.resize(size);
    return {std::move(bytes), {}};
}

LoadResult ReadGameFile(const std::string& path, Rules chosen)
{
    // Nothing after the largest saved game and its tags is ever used, so nothing after it is read.
    const FileBytes read = ReadFileHead(path, MaxGameFileSize + MaxTagBlockSize);
    if (!read)
        return {std::nullopt, read.Reason};
    return UnderRules(DecodeGameFile(*read.Bytes), chosen);
}

} // namespace kelmarin
