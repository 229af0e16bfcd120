// Every include of the installer's code points down a layer (or stays in its own folder):
// resources, the process-wide ground, drawing, the message box, shell, install, the wizard.
#include <gtest/gtest.h>

#include <dirent.h>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

const std::map<std::string, int> kLayer = {
    { "resources", 0 }, { "base", 1 }, { "render", 2 }, { "msgbox", 3 },
    { "shell", 4 }, { "install", 5 }, { "wizard", 6 },
};

std::vector<std::string> SourceFiles(const std::string &folder)
{
    std::vector<std::string> files;
    if (DIR *dir = opendir((std::string(SOURCE_ROOT) + "/" + folder).c_str())) {
        while (dirent *entry = readdir(dir)) {
            std::string name = entry->d_name;
            if (name.size() > 2 && (name.substr(name.size() - 2) == ".h" || name.substr(name.size() - 4) == ".cpp"))
                files.push_back(name);
        }
        closedir(dir);
    }
    return files;
}

// The folder an include names, relative to the including file's folder.
std::string TargetFolder(const std::string &from, const std::string &included)
{
    std::string path = included;
    if (path.compare(0, 3, "../") == 0)
        path = path.substr(3);
    else if (path.find('/') == std::string::npos)
        return from;
    return path.substr(0, path.find('/'));
}

TEST(Layers, EveryIncludePointsDown)
{
    int includes = 0;
    for (const auto &layer : kLayer) {
        for (const std::string &file : SourceFiles(layer.first)) {
            std::ifstream in(std::string(SOURCE_ROOT) + "/" + layer.first + "/" + file);
            std::string line;
            while (std::getline(in, line)) {
                if (line.compare(0, 10, "#include \"") != 0)
                    continue;
                std::string included = line.substr(10, line.find('"', 10) - 10);
                std::string target = TargetFolder(layer.first, included);
                auto found = kLayer.find(target);
                includes++;
                if (found == kLayer.end()) {
                    ADD_FAILURE() << layer.first << "/" << file << " includes " << included << " outside the layers";
                } else {
                    EXPECT_TRUE(target == layer.first || found->second < layer.second)
                        << layer.first << "/" << file << " reaches up to " << included;
                }
            }
        }
    }
    EXPECT_GT(includes, 50) << "the scan found the sources";
}

} // namespace
