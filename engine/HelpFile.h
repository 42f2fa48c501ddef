// The command-help file: one line per command, "Class.Command help text";
// "#Class.Command" keeps a command out of the listings. Lines whose first
// word holds no dot are comments.
#pragma once

#include <string>
#include <vector>

struct HelpEntry {
    std::string className;
    std::string commandName;
    // The text after the word, without leading blanks or a closing CR.
    std::string help;
    bool listed = true;
};

// The entries in file order; false when the file cannot be opened.
bool readHelpEntries(const std::string& path, std::vector<HelpEntry>& entries);
