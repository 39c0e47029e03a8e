// What is at a path, as far as reading a settings file is concerned.
#pragma once

#include <string>

enum class FileStatus {
    Missing,    // nothing by that name
    File,       // a regular file, readable or not
    Unreachable // something else, or nothing that can be looked at
};

FileStatus fileStatus(const std::string& path);
