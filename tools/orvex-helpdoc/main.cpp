// orvex-helpdoc <argshelp.def> <output directory>: writes the help window's
// class reference for the command-help file.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "HelpDoc.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: orvex-helpdoc <argshelp.def> <output directory>\n");
        return 2;
    }
    std::vector<helpdoc::CommandClass> classes;
    if (!helpdoc::readHelpFile(argv[1], classes)) {
        std::fprintf(stderr, "orvex-helpdoc: cannot read %s\n", argv[1]);
        return 1;
    }
    std::error_code error;
    std::filesystem::create_directories(argv[2], error);
    for (const helpdoc::Page& page : helpdoc::makePages(classes)) {
        const std::filesystem::path file = std::filesystem::path(argv[2]) / page.fileName;
        std::ofstream out(file, std::ios::binary);
        out << page.html;
        if (!out.flush()) {
            std::fprintf(stderr, "orvex-helpdoc: cannot write %s\n", file.c_str());
            return 1;
        }
    }
    return 0;
}
