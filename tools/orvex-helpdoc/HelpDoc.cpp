#include "HelpDoc.h"

#include "engine/HelpFile.h"

namespace helpdoc {

namespace {

std::string escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// Help texts are taken as UTF-8 when they are valid UTF-8, else as Latin-1.
bool isUtf8(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i++]);
        const int extra = c < 0x80             ? 0
                          : (c & 0xE0) == 0xC0 ? 1
                          : (c & 0xF0) == 0xE0 ? 2
                          : (c & 0xF8) == 0xF0 ? 3
                                               : -1;
        if (extra < 0 || text.size() - i < std::size_t(extra))
            return false;
        for (int k = 0; k < extra; ++k)
            if ((static_cast<unsigned char>(text[i++]) & 0xC0) != 0x80)
                return false;
    }
    return true;
}

std::string toUtf8(const std::string& text) {
    if (isUtf8(text))
        return text;
    std::string out;
    for (char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x80) {
            out += c;
        } else {
            out += char(0xC0 | (u >> 6));
            out += char(0x80 | (u & 0x3F));
        }
    }
    return out;
}

std::string head(const std::string& title) {
    return "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" + title +
           "</title>\n</head>\n<body>\n";
}

const char* const tail = "</body>\n</html>\n";

} // namespace

bool readHelpFile(const std::string& path, std::vector<CommandClass>& classes) {
    std::vector<HelpEntry> entries;
    if (!readHelpEntries(path, entries))
        return false;
    for (const HelpEntry& help : entries) {
        if (!help.listed)
            continue; // a hidden command
        CommandClass* entry = nullptr;
        for (CommandClass& c : classes)
            if (c.name == help.className)
                entry = &c;
        if (!entry) {
            classes.push_back({help.className, {}});
            entry = &classes.back();
        }
        entry->commands.push_back({help.commandName, help.help});
    }
    return true;
}

std::vector<Page> makePages(const std::vector<CommandClass>& classes) {
    std::vector<Page> pages;
    std::string index = head("Orvex Studio command reference");
    index += "<h1>Orvex Studio command reference</h1>\n"
             "<p>Every command is a line of the command language: the class word, a dot, "
             "the command word and its arguments, for example <code>Timer.Speed 10</code>. "
             "Scenarios, links in the browser pane, the key map and the property panel all "
             "send such lines.</p>\n<ul>\n";
    for (const CommandClass& c : classes) {
        const std::string name = escape(c.name);
        index += "<li><a href=\"classref_" + name + ".html\">" + name + "</a> (" +
                 std::to_string(c.commands.size()) + " commands)</li>\n";

        std::string page = head(name + " commands");
        page += "<p><a href=\"index.html\">Command reference</a></p>\n<h1>" + name +
                "</h1>\n<table border=\"1\" cellpadding=\"4\" cellspacing=\"0\">\n"
                "<tr><th>Command</th><th>Arguments and effect</th></tr>\n";
        for (const Command& command : c.commands) {
            const std::string anchor = name + "_" + escape(command.name);
            page += "<tr><td><a name=\"" + anchor + "\" id=\"" + anchor + "\"></a><code>" + name +
                    "." + escape(command.name) + "</code></td><td>" + escape(toUtf8(command.help)) +
                    "</td></tr>\n";
        }
        page += "</table>\n";
        page += tail;
        pages.push_back({"classref_" + c.name + ".html", page});
    }
    index += "</ul>\n";
    index += tail;
    pages.insert(pages.begin(), Page{"index.html", index});
    return pages;
}

} // namespace helpdoc
