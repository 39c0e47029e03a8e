// The whole-file replacement through POSIX calls: write, fsync, rename, then fsync of the folder
// so that the rename itself survives a power cut. Emscripten's file system takes the same calls.
#include "platform/PlayerFiles.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "platform/PlayerStorage.h"

namespace {

std::string reason(const char* what)
{
    return std::string(what) + ": " + std::strerror(errno);
}

bool writeAll(int fd, const std::string& content)
{
    for (std::size_t done = 0; done < content.size();) {
        const ssize_t written = write(fd, content.data() + done, content.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// Best effort: a folder that cannot be opened or flushed has still taken the rename.
void syncFolder(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return;
    fsync(fd);
    close(fd);
}

} // namespace

namespace PlayerFiles {

bool replace(const std::string& path, const std::string& content, std::string& error)
{
    // One temporary name per file: a write that was killed leaves at most this one behind, and
    // the next write truncates it.
    const std::string temporary = path + ".new";
    const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = reason("cannot create the temporary file");
        return false;
    }
    bool written = writeAll(fd, content);
    if (!written)
        error = reason("cannot write");
    else if (fsync(fd) != 0) {
        error = reason("cannot flush");
        written = false;
    }
    if (close(fd) != 0 && written) {
        error = reason("cannot close");
        written = false;
    }
    if (written && rename(temporary.c_str(), path.c_str()) != 0) {
        error = reason("cannot rename");
        written = false;
    }
    if (!written) {
        unlink(temporary.c_str());
        return false;
    }
    syncFolder(path);
    PlayerStorage::keep();
    return true;
}

} // namespace PlayerFiles
