// Build step after linking the installer: puts its resource data on a page boundary of
// the file (see pe_layout.h). Rewrites the file in place; running it twice changes nothing.
#include "pe_layout.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

int main(int argc, char **argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: align_resources IMAGE.exe\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    std::vector<unsigned char> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
        fprintf(stderr, "align_resources: cannot read %s\n", argv[1]);
        return 1;
    }
    std::string error;
    if (!AlignResourceData(file, &error)) {
        fprintf(stderr, "align_resources: %s: %s\n", argv[1], error.c_str());
        return 1;
    }
    std::string temporary = std::string(argv[1]) + ".aligned";
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write((const char *)file.data(), (std::streamsize)file.size());
    out.close();
    // The linker's file mode (executable) carries over to the replacement.
    struct stat mode;
    if (!out || stat(argv[1], &mode) != 0 || chmod(temporary.c_str(), mode.st_mode & 07777) != 0 ||
        std::rename(temporary.c_str(), argv[1]) != 0) {
        std::remove(temporary.c_str());
        fprintf(stderr, "align_resources: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
