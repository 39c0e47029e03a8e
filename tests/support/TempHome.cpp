// Temporary HOME folders under the system's temporary directory, removed afterwards.
#include "support/TempHome.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

TempHome::TempHome()
{
    if (const char* old = std::getenv("HOME"); old != nullptr) {
        previous = old;
        hadPrevious = true;
    }
    std::string pattern = (std::filesystem::temp_directory_path() / "brickwrath-home-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a temporary home");
    home = pattern;
    setenv("HOME", home.c_str(), 1);
}

TempHome::~TempHome()
{
    std::error_code ignored;
    // Folders a test made unreadable must be opened up again to be removed.
    std::filesystem::permissions(home, std::filesystem::perms::owner_all, ignored);
    for (auto it = std::filesystem::recursive_directory_iterator(home, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored))
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                     ignored);
    std::filesystem::remove_all(home, ignored);
    if (hadPrevious)
        setenv("HOME", previous.c_str(), 1);
    else
        unsetenv("HOME");
}

std::string TempHome::readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void TempHome::writeFile(const std::string& path, const std::string& content)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}
