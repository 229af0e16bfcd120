// Reads a shortcut file back through the shell-link object, as the shell would.
#pragma once
#include <string>

struct LinkFields {
    bool loaded = false;
    std::string path, workingDirectory, iconFile, description;
    int iconIndex = -1;
};

LinkFields ReadLink(const std::string &file);
