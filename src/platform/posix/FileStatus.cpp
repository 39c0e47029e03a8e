// stat(2) behind the file status: a missing last part of the path counts as missing, and so does a
// path through a plain file where a folder belongs (a file cannot be there either).
#include "platform/FileStatus.h"

#include <cerrno>
#include <sys/stat.h>

FileStatus fileStatus(const std::string& path)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return errno == ENOENT || errno == ENOTDIR ? FileStatus::Missing : FileStatus::Unreachable;
    return S_ISREG(info.st_mode) ? FileStatus::File : FileStatus::Unreachable;
}
