// One constellation: name, category, the direction of its centre, its figure
// (stars joined by line strips), its boundary and an optional art drawing,
// read from a ".cdl" file, with a GL display list for each of the four parts,
// built at its first draw.
//
// The ".cdl" file is whitespace-separated text with keywords ending in ":" and
// "#" comments, in any order:
//   Name: <token>      Categ: <token>      Art: <file> (or Figure: <file>)
//   Pos: <ra> <dec>    Area: <square degrees>
//   Sep:   lines "ra dec" (degrees) up to a line starting with "}"; the
//          boundary, drawn as one closed loop; every block adds to it
//   Lines: lines "a b c [extra]" up to a line starting with "}"; the figure
//          star (x, y, z) = (c, a, b); a line without three numbers breaks
//          the strip; a new block replaces the old figure
// Everything is drawn in the star-sphere frame (see sky/SkyPosition.h).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/Vector3.h"

class DataFile;
class LabelFont;
struct ConsteArt;

class Conste {
public:
    // A boundary point, degrees.
    struct SepPoint {
        float ra = 0.0f;
        float decl = 0.0f;
    };

    Conste() = default;
    virtual ~Conste();
    Conste(const Conste&) = delete;
    Conste& operator=(const Conste&) = delete;

    // The directory the art file is read from.
    void setDataDir(const std::string& dir) { dataDir = dir; }
    const std::string& getDataDir() const { return dataDir; }
    // Reads a ".cdl" file, relative to the current directory. False when it
    // does not open; the object is then unchanged.
    bool load(const std::string& path);

    const std::string& getName() const { return name; }
    const std::string& getCategory() const { return category; }
    const std::string& getPath() const { return path; }
    const std::string& getArtName() const { return artName; }
    double getRA() const { return ra; }
    double getDecl() const { return decl; }
    double getArea() const { return area; }
    double getMinDist() const { return minDist; }
    double getMaxDist() const { return maxDist; }
    const std::vector<SepPoint>& getSeps() const { return seps; }
    // The figure in file order; an empty entry breaks the line strip.
    const std::vector<std::optional<Vector3>>& getStrokes() const { return strokes; }
    // Number of star entries in the figure (a star shared by two strips counts twice).
    int getFigureStarCount() const;
    // Where the name is drawn: the centre direction at the figure's mean distance.
    Vector3 getLabelPosition() const;

    // The font of the name (not owned); rebuilds the name list when it exists.
    void setFont(LabelFont* f);

    // Reads the art file named by Art: from the data directory, without
    // drawing (empty art when there is none or it does not read).
    ConsteArt readArt() const;
    // Reads the art file and issues its drawing; call while the art list is
    // being compiled. ".cab": 1 drawn, 0 not read; ".cat": 1; other names 0.
    int loadArt(const std::string& fileName);

    // Each builds its display list when it has none, then calls it. Colour,
    // line width and depth test are the caller's.
    void drawName();
    void drawLines();
    void drawArt();
    void drawSeps();
    // (Re)compile one display list.
    void buildName();
    void buildLines();
    void buildArt();
    void buildSeps();

    unsigned getNameList() const { return nameList; }
    unsigned getLinesList() const { return linesList; }
    unsigned getArtList() const { return artList; }
    unsigned getSepsList() const { return sepsList; }

private:
    void readSepBlock(DataFile& file);
    void readLinesBlock(DataFile& file);

    std::string name = "unknown";
    std::string category = "Default";
    std::string path;
    std::string artName;
    std::string dataDir;
    unsigned nameList = 0;
    unsigned linesList = 0;
    unsigned artList = 0;
    unsigned sepsList = 0;
    double ra = 0.0;
    double decl = 0.0;
    double minDist = 0.0;
    double maxDist = 1.0;
    double area = 0.0;
    std::vector<SepPoint> seps;
    std::vector<std::optional<Vector3>> strokes;
    LabelFont* font = nullptr;
};
