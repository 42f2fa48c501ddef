// Every constellation of the sky and what of each is drawn: the name, the
// figure lines (plain or highlighted), the art (plain or highlighted) and the
// boundary. It loads a list file ("constes.cdl": whitespace-separated paths
// of ".cdl" files, relative to the list's directory), keeps the colours and
// widths of the five line kinds, the name colour and the name font, and draws
// in a fixed order inside the star sphere.
//
// Commands name constellations exactly or say "All". "All" in a show command
// reaches the constellations of the current category only (every one when the
// category is "All"); "All" in a hide or highlight command reaches every
// constellation whatever its category.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/Quaternion.h"

class Conste;
class LabelFont;

class ConsteSet {
public:
    // Display bits of a constellation.
    static constexpr int NameBit = 1;
    static constexpr int LinesBit = 2;
    static constexpr int ArtBit = 4;
    static constexpr int SepsBit = 8;
    static constexpr int LinesHighlightBit = 16;
    static constexpr int ArtHighlightBit = 32;

    // Colour and width of one line kind.
    struct LineDisp {
        double color[3];
        double width;
    };

    ConsteSet();
    virtual ~ConsteSet();
    ConsteSet(const ConsteSet&) = delete;
    ConsteSet& operator=(const ConsteSet&) = delete;

    // Empties the set, then loads the list file: path is either a list file
    // (it holds ".cdl" and does not end in a separator) or a directory that
    // holds "constes.cdl". 1 loaded, 0 the list did not open (the set stays
    // empty). Files of the list that do not load are left out.
    int load(const std::string& path);
    // The directory the constellations were loaded from (absolute once it
    // could be entered); their art is read there.
    const std::string& getDirectory() const { return directory; }

    // Master switch: show sets every feature and gives the constellations of
    // the category all four parts; hide clears everything.
    void show();
    void hide();
    void toggleShow();
    int isShown() const { return shown; }

    void setCategory(const std::string& c) { category = c; }
    std::string getCategory() const { return category; }

    // Each takes names separated by blanks; "All" and unknown names as above.
    void showNames(const std::string& names);
    void hideNames(const std::string& names);
    void showLines(const std::string& names);
    void hideLines(const std::string& names);
    void highlightLines(const std::string& names);
    void showArts(const std::string& names);
    void hideArts(const std::string& names);
    void highlightArts(const std::string& names);
    void showSeps(const std::string& names);
    void hideSeps(const std::string& names);
    // The hide operation with "All" when the feature is on, else the show one.
    void toggleNames();
    void toggleLines();
    void toggleArts();
    void toggleSeps();
    int isNamesShown() const { return namesShown; }
    int isLinesShown() const { return linesShown; }
    int isArtsShown() const { return artsShown; }
    int isSepsShown() const { return sepsShown; }

    // Names of the category's constellations (of the category exactly: the
    // category "All" lists those whose own category is "All") whose bit test
    // holds, in list order, each followed by a blank.
    std::string getShownNames() const;
    std::string getHiddenNames() const;
    std::string getShownLines() const;
    std::string getHiddenLines() const; // highlighted lines count as hidden
    std::string getHighlightedLines() const;
    std::string getShownArts() const;
    std::string getHiddenArts() const;
    std::string getHighlightedArts() const;
    std::string getShownSeps() const;
    std::string getHiddenSeps() const;
    // Names of the category (every name when it is "All"), each followed by a blank.
    std::string getNameList() const;

    void setNameColor(const double color[3]);
    void setLinesDisp(double width, const double color[3]);
    void setLineshDisp(double width, const double color[3]);
    void setArtDisp(double width, const double color[3]);
    void setArthDisp(double width, const double color[3]);
    void setSepsDisp(double width, const double color[3]);
    // "%g %g %g" (red green blue).
    std::string getNameColor() const;
    // "%g %g %g %g" (width red green blue).
    std::string getLinesDisp() const { return dispText(linesDisp); }
    std::string getLineshDisp() const { return dispText(lineshDisp); }
    std::string getArtDisp() const { return dispText(artDisp); }
    std::string getArthDisp() const { return dispText(arthDisp); }
    std::string getSepsDisp() const { return dispText(sepsDisp); }

    // Sets the name font and hands it to every constellation again, unless
    // family token, size and style are the current ones.
    void setNameFont(const std::string& family, float size, int style);
    // "%s %g %i" of the name font.
    std::string getFontSpec() const;
    LabelFont& getNameFont() { return *nameFont; }

    // Draws, while shown: art, highlighted art, boundaries, lines,
    // highlighted lines, then the names with the depth test off (left off).
    // The rotation is not used.
    void draw(const Quaternion& rotation);
    // Builds every art display list now.
    void buildLists();

    // The first constellation of that name, or null.
    Conste* find(const std::string& name) const;
    bool contains(const std::string& name) const { return find(name) != nullptr; }
    // Its centre, degrees; 0.0 when there is none of that name.
    double getRA(const std::string& name) const;
    double getDecl(const std::string& name) const;

    int size() const { return static_cast<int>(entries.size()); }
    Conste& at(int index) const { return *entries[static_cast<std::size_t>(index)].conste; }
    // The display bits of the first constellation of that name (0 when none).
    int getFlags(const std::string& name) const;

private:
    struct ConsteEntry {
        std::string name;
        std::unique_ptr<Conste> conste;
        int flags = 0;
    };
    // Which constellations an "All" reaches and what a name gets.
    enum class AllScope { Category, Every };
    struct NameRule {
        AllScope scope;
        int set;   // bits set
        int clear; // bits cleared
        int* feature;
        bool showing; // a show or highlight: shown = feature = 1
    };

    static std::string dispText(const LineDisp& d);
    bool inCategory(const ConsteEntry& e) const;
    // Applies a rule to each name of the text.
    void applyNames(const std::string& names, const NameRule& rule);
    // Names of the category's constellations whose flags pass the test.
    std::string listNames(int mask, bool set) const;
    bool anyFlag(int mask) const;
    void clearEntries();
    void drawPass(const LineDisp& disp, int bit, void (Conste::*part)());

    std::string directory;
    std::string category = "Default";
    std::unique_ptr<LabelFont> nameFont;
    double nameColor[3] = {1.0, 1.0, 1.0};
    LineDisp linesDisp = {{0.4, 0.4, 0.8}, 2.0};
    LineDisp lineshDisp = {{0.3, 0.3, 0.6}, 1.0};
    LineDisp artDisp = {{0.75, 0.75, 0.75}, 2.0};
    LineDisp arthDisp = {{0.375, 0.375, 0.375}, 1.0};
    LineDisp sepsDisp = {{0.25, 0.25, 0.25}, 1.0};
    int shown = 0;
    int namesShown = 0;
    int linesShown = 0;
    int artsShown = 0;
    int sepsShown = 0;
    std::vector<ConsteEntry> entries;
};
