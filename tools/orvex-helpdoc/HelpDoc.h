// The class reference made from the command-help file: an index page and one
// page per command class, "classref_<Class>.html", with the anchor
// "<Class>_<Command>" on each listed command. Hidden commands ("#" before the
// class word) are left out, as the command lists leave them out.
#pragma once

#include <string>
#include <vector>

namespace helpdoc {

struct Command {
    std::string name;
    std::string help;
};

struct CommandClass {
    std::string name;
    std::vector<Command> commands;
};

// The listed commands of the file, classes and commands in the order of their
// first line. False when the file cannot be opened.
bool readHelpFile(const std::string& path, std::vector<CommandClass>& classes);

// The pages, as file name and HTML text.
struct Page {
    std::string fileName;
    std::string html;
};
std::vector<Page> makePages(const std::vector<CommandClass>& classes);

} // namespace helpdoc
