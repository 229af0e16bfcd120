// Scratch folders and file helpers for the tests that touch the disk.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

// A new empty folder under the temporary folder, without a trailing backslash.
std::string MakeTestFolder();
// Deletes a folder and everything in it, read-only and hidden files included.
void RemoveTree(const std::string &folder);

void WriteText(const std::string &path, const std::string &bytes, DWORD attributes = 0);
std::string ReadText(const std::string &path);
bool Exists(const std::string &path);
DWORD Attributes(const std::string &path);
long long FileSize(const std::string &path);

// Every entry of a folder and its sub-folders, sorted: name, attributes, and for a file its
// size and CRC-32. Equal snapshots mean byte for byte and attribute for attribute the same.
std::vector<std::string> Snapshot(const std::string &folder);
// The lines of one snapshot missing from the other, each marked "-" (was) or "+" (is); ""
// when they are equal.
std::string Differences(const std::vector<std::string> &was, const std::vector<std::string> &is);
// A copy of a folder and everything in it, attributes included.
void CopyTree(const std::string &from, const std::string &to);

// Points the installer's folders at the given test folder.
void UseInstallFolder(const std::string &folder);

// The built installer (PendrelSetup.exe in the current folder) loaded as data: its
// resources are the real payload, glyph atlas and licences. NULL when it is missing.
HINSTANCE InstallerModule();
