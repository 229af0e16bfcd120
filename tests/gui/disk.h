// What the driver prepares and checks on disk inside the Wine prefix, through Win32 file calls.
#pragma once
#include <windows.h>
#include <string>

// Deletes a folder and everything in it, read-only and hidden files included.
void RemoveTree(const std::string &path);
bool PathExists(const std::string &path);
bool IsFolder(const std::string &path);
// INVALID_FILE_ATTRIBUTES when the path does not exist.
DWORD Attributes(const std::string &path);
void MakeFolder(const std::string &path);
// The whole file, or fails the run when it cannot be read.
std::string ReadWholeFile(const std::string &path);
// Replaces the file's content, clearing its protection first.
void WriteWholeFile(const std::string &path, const std::string &content);
// Plain files directly inside the folder (sub-folders not counted).
int CountFiles(const std::string &folder);
// Sub-folders directly inside the folder.
int CountFolders(const std::string &folder);
bool EndsWith(const std::string &text, const std::string &tail);
// One line per entry under the folder, sub-folders included, in name order: the relative
// name, its protection attributes (read-only, hidden, system, folder), its size and CRC-32.
// "" when the folder does not exist.
std::string Snapshot(const std::string &folder);
