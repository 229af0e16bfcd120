// Scratch folders and file helpers for the tests that touch the disk.
#include "test_folder.h"
#include "base/state.h"
#include <algorithm>
#include <stdio.h>
#include <zlib.h>

std::string MakeTestFolder()
{
    static int counter;
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    for (;;) {
        char folder[MAX_PATH];
        snprintf(folder, sizeof folder, "%spdtest_%lu_%d", temp, GetCurrentProcessId(), ++counter);
        if (CreateDirectoryA(folder, NULL))
            return folder;
    }
}

void RemoveTree(const std::string &folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string path = folder + "\\" + name;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    SetFileAttributesA(folder.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(folder.c_str());
}

void WriteText(const std::string &path, const std::string &bytes, DWORD attributes)
{
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    FILE *file = fopen(path.c_str(), "wb");
    if (!file)
        return;
    fwrite(bytes.data(), 1, bytes.size(), file);
    fclose(file);
    if (attributes)
        SetFileAttributesA(path.c_str(), attributes);
}

std::string ReadText(const std::string &path)
{
    std::string bytes;
    FILE *file = fopen(path.c_str(), "rb");
    if (!file)
        return bytes;
    char chunk[4096];
    size_t n;
    while ((n = fread(chunk, 1, sizeof chunk, file)) > 0)
        bytes.append(chunk, n);
    fclose(file);
    return bytes;
}

bool Exists(const std::string &path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

DWORD Attributes(const std::string &path)
{
    return GetFileAttributesA(path.c_str());
}

long long FileSize(const std::string &path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return ((long long)data.nFileSizeHigh << 32) | data.nFileSizeLow;
}

static void ListEntries(const std::string &folder, const std::string &prefix, std::vector<std::string> *lines)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        std::string line = prefix + name + " attributes " + std::to_string(found.dwFileAttributes);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            lines->push_back(line);
            ListEntries(folder + "\\" + name, prefix + name + "\\", lines);
            continue;
        }
        std::string bytes = ReadText(folder + "\\" + name);
        unsigned long crc = crc32(0L, (const Bytef *)bytes.data(), (uInt)bytes.size());
        lines->push_back(line + " bytes " + std::to_string(bytes.size()) + " crc " + std::to_string(crc));
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

std::vector<std::string> Snapshot(const std::string &folder)
{
    std::vector<std::string> lines;
    ListEntries(folder, "", &lines);
    std::sort(lines.begin(), lines.end());
    return lines;
}

std::string Differences(const std::vector<std::string> &was, const std::vector<std::string> &is)
{
    std::string out;
    for (const std::string &line : was)
        if (std::find(is.begin(), is.end(), line) == is.end())
            out += "- " + line + "\n";
    for (const std::string &line : is)
        if (std::find(was.begin(), was.end(), line) == was.end())
            out += "+ " + line + "\n";
    return out;
}

void CopyTree(const std::string &from, const std::string &to)
{
    CreateDirectoryA(to.c_str(), NULL);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((from + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                CopyTree(from + "\\" + name, to + "\\" + name);
            else
                CopyFileA((from + "\\" + name).c_str(), (to + "\\" + name).c_str(), FALSE);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    SetFileAttributesA(to.c_str(), GetFileAttributesA(from.c_str()));
}

void UseInstallFolder(const std::string &folder)
{
    snprintf(g_installFolder, sizeof g_installFolder, "%s", folder.c_str());
}

HINSTANCE InstallerModule()
{
    static HINSTANCE module = LoadLibraryExA("PendrelSetup.exe", NULL, LOAD_LIBRARY_AS_DATAFILE);
    return module;
}
