// Settings file: "Tambrel.conf" in HomeFolder's settings folder ("~/Library/Application
// Support/Tambrel/" on Linux, "%APPDATA%\Tambrel\" on Windows), one "key value" per line.
// The file is only ever written to create it, so a file the player cannot read is left alone.
#include "app/ConfigLoader.h"

#include <fstream>
#include <iostream>
#include <sstream>

#include "platform/FileStatus.h"
#include "platform/HomeFolder.h"

namespace {

const char* const fileName = "/Tambrel.conf";

template <typename T> void readValue(const std::string& line, std::size_t from, T& setting)
{
    std::istringstream in(line.size() > from ? line.substr(from) : std::string());
    T value{};
    if (in >> value)
        setting = value;
}

// Reads one line of at most maxLength characters; the rest of a longer line is skipped and the
// line is reported as too long. Returns false at the end of the input.
bool readLine(std::istream& in, std::string& line, bool& tooLong, std::size_t maxLength)
{
    line.clear();
    tooLong = false;
    std::istream::int_type c;
    bool any = false;
    while ((c = in.get()) != std::istream::traits_type::eof()) {
        any = true;
        if (c == '\n')
            return true;
        if (line.size() < maxLength)
            line.push_back(static_cast<char>(c));
        else
            tooLong = true;
    }
    return any;
}

enum class FileState { Missing, Readable, Unreadable };

FileState inspect(const std::string& path)
{
    const FileStatus status = fileStatus(path);
    if (status != FileStatus::File)
        return status == FileStatus::Missing ? FileState::Missing : FileState::Unreadable;
    std::ifstream probe(path);
    return probe ? FileState::Readable : FileState::Unreadable;
}

// Writes the default file at path, replacing any content, or says it could not.
void writeDefaults(const std::string& path)
{
    std::ofstream out(path, std::ios::trunc);
    if (!out) {
        std::cout << "Could not create " << path << std::endl;
        return;
    }
    Settings().write(out);
}

} // namespace

ConfigLoader::ConfigLoader()
{
    const std::string path = getFilePath() + fileName;
    FileState state = inspect(path);
    if (state == FileState::Missing) {
        // Not createFile(), which would look for the folder, and report on it, a second time.
        writeDefaults(path);
        state = inspect(path);
    } else if (state == FileState::Unreadable) {
        std::cout << "ConfigLoader: Could not read " << path << ", using the default settings." << std::endl;
        return;
    }
    if (state != FileState::Readable)
        return;
    std::ifstream in(path, std::ios::binary);
    read(in);
}

ConfigLoader::ConfigLoader(std::istream& in)
{
    read(in);
}

std::string ConfigLoader::folderPath()
{
    return HomeFolder::settingsFolder();
}

std::string ConfigLoader::getFilePath() const
{
    const std::string path = folderPath();
    bool created = false;
    if (!HomeFolder::makeFolders(path, created))
        std::cout << "Could not create directory " << path << std::endl;
    else if (created)
        std::cout << "Created directory " << path << std::endl;
    return path;
}

void ConfigLoader::createFile() const
{
    writeDefaults(getFilePath() + fileName);
}

void ConfigLoader::read(std::istream& in)
{
    std::string line;
    bool tooLong = false;
    while (readLine(in, line, tooLong, maxLineLength)) {
        if (tooLong || line.empty())
            continue;
        switch (line[0]) {
        case 'w': readValue(line, 2, fromFile.width); break;
        case 'h': readValue(line, 2, fromFile.height); break;
        case 'a': readValue(line, 2, fromFile.antialias); break;
        case 'f': readValue(line, 2, fromFile.fullscreen); break;
        case 'n':
            if (line.size() > 1 && line[1] == 's')
                readValue(line, 3, fromFile.noSound);
            else if (line.size() > 1 && line[1] == 'm')
                readValue(line, 3, fromFile.noMusic);
            break;
        case 's': readValue(line, 4, fromFile.softwareDrawer); break;
        default: break;
        }
    }
}
