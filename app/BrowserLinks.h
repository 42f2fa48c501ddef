// The browser pane's rules on addresses, kept apart from the web view so that
// they can be tested without one: what a navigation to an address does
// ("orvex://" command links, scenario files, media files, pages), how a
// command link's text becomes command text, how "./" paths and back slashes
// are resolved, which files the open dialog dispatches where, and which
// places are trusted to send commands.
#pragma once

#include <QString>
#include <QUrl>
#include <string>

namespace BrowserLinks {

// The scheme of command links, exactly as a link must begin.
constexpr const char* commandScheme = "orvex://";

struct Decision {
    enum Kind {
        Command,  // an "orvex://" link: command is the text to play
        Scenario, // a ".scn" link: fetched, then played
        Media,    // an image or movie: shown in the media viewer
        Navigate  // any other address: the pane follows it
    };
    Kind kind = Navigate;
    // The command text of a command link, in the engine's 8-bit text.
    std::string command;
};

// The text after the last "." of an address; the whole text when it holds none.
QString extension(const QString& url);
// True when text contains any of the media words ("bmp", "png", "gif", "jpg",
// "jpeg", "avi", "wmv", "mpg", "mpeg"), case-sensitively.
bool hasMediaWord(const QString& text);

// The decision for an address as the page wrote it (not as a URL parser
// rewrote it: host names lose their case there).
Decision decide(const QString& url);
// The command text of a command link: the address without its scheme and
// one trailing "/", with "/?" and the seven lower-case escapes "%20", "%5b",
// "%5c", "%5d", "%7c" (a colon), "%7e" decoded in that order and nothing else.
QString commandText(const QString& url);

// Command text as a scenario file holds it, one line of the command language
// to a line, for the user to read: a ";" ends such a line. Commands a line
// holds one after another stay on it, as they run: a text argument may hold
// a command's name, a condition line its branches. Every other character
// stays as it was.
QString oneCommandPerLine(const QString& text);

// "./" at the start becomes the program directory; back slashes become "/".
QString resolvePath(const QString& path, const QString& programDir);
// An address for the web view or the network: text with a scheme as it is
// written, anything else a local file (relative ones under programDir).
QUrl toUrl(const QString& text, const QString& programDir);

// A local file inside the program directory (canonical paths compared, so
// "..", links and look-alike prefixes do not count).
bool isTrustedLocation(const QUrl& url, const QString& programDir);

// What the open dialog does with a file, by the words its extension contains.
enum class FileKind { Html, Media, Scenario, Other };
FileKind fileKind(const QString& fileName);

} // namespace BrowserLinks
