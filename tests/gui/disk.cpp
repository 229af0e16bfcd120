// Disk preparation and checks for the scenarios; protected files are unlocked before any change.
#include "disk.h"
#include "driver.h"
#include <stdio.h>
#include <string.h>
#include <zlib.h>
#include <algorithm>
#include <vector>

void RemoveTree(const std::string &path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        if (!DeleteFileA(path.c_str()))
            Fail("cannot delete %s (error %lu)", path.c_str(), (unsigned long)GetLastError());
        return;
    }
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name != "." && name != "..")
                RemoveTree(path + "\\" + name);
        } while (FindNextFileA(find, &entry));
        FindClose(find);
    }
    if (!RemoveDirectoryA(path.c_str()))
        Fail("cannot remove folder %s (error %lu)", path.c_str(), (unsigned long)GetLastError());
}

DWORD Attributes(const std::string &path)
{
    return GetFileAttributesA(path.c_str());
}

bool PathExists(const std::string &path)
{
    return Attributes(path) != INVALID_FILE_ATTRIBUTES;
}

bool IsFolder(const std::string &path)
{
    DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void MakeFolder(const std::string &path)
{
    if (!CreateDirectoryA(path.c_str(), NULL))
        Fail("cannot create folder %s (error %lu)", path.c_str(), (unsigned long)GetLastError());
}

std::string ReadWholeFile(const std::string &path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              0, NULL);
    if (file == INVALID_HANDLE_VALUE)
        Fail("cannot open %s (error %lu)", path.c_str(), (unsigned long)GetLastError());
    std::string content(GetFileSize(file, NULL), '\0');
    DWORD read = 0;
    BOOL ok = content.empty() || ReadFile(file, &content[0], (DWORD)content.size(), &read, NULL);
    CloseHandle(file);
    if (!ok || read != content.size())
        Fail("cannot read %s", path.c_str());
    return content;
}

void WriteWholeFile(const std::string &path, const std::string &content)
{
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        Fail("cannot write %s (error %lu)", path.c_str(), (unsigned long)GetLastError());
    DWORD written = 0;
    BOOL ok = WriteFile(file, content.data(), (DWORD)content.size(), &written, NULL);
    CloseHandle(file);
    if (!ok || written != content.size())
        Fail("short write to %s", path.c_str());
}

// Entries directly inside the folder that are folders, or that are not; "." and ".." left out.
static int CountEntries(const std::string &folder, bool folders)
{
    int count = 0;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do {
        bool isFolder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (isFolder == folders && strcmp(entry.cFileName, ".") != 0 && strcmp(entry.cFileName, "..") != 0)
            ++count;
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    return count;
}

int CountFiles(const std::string &folder)
{
    return CountEntries(folder, false);
}

int CountFolders(const std::string &folder)
{
    return CountEntries(folder, true);
}

bool EndsWith(const std::string &text, const std::string &tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

static void ListEntries(const std::string &folder, const std::string &prefix, std::vector<std::string> &lines)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        const DWORD kept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                           FILE_ATTRIBUTE_DIRECTORY;
        char line[64];
        std::string path = folder + "\\" + name;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            snprintf(line, sizeof line, " attributes 0x%02lX", found.dwFileAttributes & kept);
            lines.push_back(prefix + name + line);
            ListEntries(path, prefix + name + "\\", lines);
            continue;
        }
        std::string bytes = ReadWholeFile(path);
        unsigned long crc = crc32(0L, (const Bytef *)bytes.data(), (uInt)bytes.size());
        snprintf(line, sizeof line, " attributes 0x%02lX bytes %lu crc %08lX",
                 found.dwFileAttributes & kept, (unsigned long)bytes.size(), crc);
        lines.push_back(prefix + name + line);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

std::string Snapshot(const std::string &folder)
{
    std::vector<std::string> lines;
    ListEntries(folder, "", lines);
    std::sort(lines.begin(), lines.end());
    std::string all;
    for (const std::string &line : lines)
        all += line + "\n";
    return all;
}
