// The whole-file replacement through Win32: write, flush to the disk, then MoveFileEx over the old
// file, which only replaces an existing file when told to, and with write-through returns once the
// move itself is on the disk (the folder's flush on POSIX).
#include "platform/PlayerFiles.h"

#include <windows.h>

#include "platform/PlayerStorage.h"

namespace {

std::string reason(const char* what)
{
    const DWORD code = GetLastError();
    char text[256] = {};
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                                        text, sizeof text, nullptr);
    std::string message(text, length);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    return std::string(what) + ": " + (message.empty() ? "error " + std::to_string(code) : message);
}

bool writeAll(HANDLE file, const std::string& content)
{
    for (std::size_t done = 0; done < content.size();) {
        const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(content.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, content.data() + done, piece, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

} // namespace

namespace PlayerFiles {

bool replace(const std::string& path, const std::string& content, std::string& error)
{
    // One temporary name per file: a write that was killed leaves at most this one behind, and
    // the next write truncates it.
    const std::string temporary = path + ".new";
    HANDLE file =
        CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        error = reason("cannot create the temporary file");
        return false;
    }
    bool written = writeAll(file, content);
    if (!written)
        error = reason("cannot write");
    else if (!FlushFileBuffers(file)) {
        error = reason("cannot flush");
        written = false;
    }
    if (!CloseHandle(file) && written) {
        error = reason("cannot close");
        written = false;
    }
    if (written && !MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = reason("cannot rename");
        written = false;
    }
    if (!written) {
        DeleteFileA(temporary.c_str());
        return false;
    }
    PlayerStorage::keep();
    return true;
}

} // namespace PlayerFiles
