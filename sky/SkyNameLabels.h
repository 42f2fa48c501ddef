// Name labels on the star sphere: the part the command classes Fstars (fixed
// stars) and Galaxies share. It holds the labels of a names file, draws them
// as bitmap text from one display list in its own colour and font, answers
// the camera's look-target questions by exact name, and runs the five command
// words both classes have:
//
//   Show n            labels shown (n != 0) or hidden      state line
//   NameColor r g b   label colour                         option line
//   NameFont f s st   label font (family, size, style)     option line
//   <names word>      query only: the names, each followed by a blank
//   ShowTog           shows or hides the labels
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/Base.h"
#include "sky/FixedStar.h"
#include "sky/StarName.h"
#include "view/LabelFontOwner.h"
#include "view/LookTargets.h"

class DataFile;
class LabelFont;
class Main;

class SkyNameLabels : public Base, public SkyLookTargets, public LabelFontOwner {
public:
    ~SkyNameLabels() override;

    const char* getName() const override { return classWord; }
    int execute() override;
    std::string getValue() override;
    // "<class>.Show n".
    std::string saveStates() override;
    // "<class>.NameColor r g b", "<class>.NameFont family size style".
    std::string saveOptions() override;

    // A label of exactly that name (case and length count).
    bool hasLookTarget(const std::string& name) const override;
    // The view rotation toward the first label of that name; the identity
    // when there is none.
    Quaternion getLookRot(const std::string& name) const override;

    // The label font (the "Detail" font commands): the labels are compiled
    // again with it when they have been before.
    void setLabelFont(const std::string& family, float size, int style) override;
    std::string getLabelFontSpec() const override;

    const std::vector<StarName>& getNames() const { return names; }
    int isShown() const { return shown; }
    const double* getNameColor() const { return nameColor; }
    const LabelFont& getFont() const { return *font; }
    // The names file last loaded (or tried).
    const std::string& getNamesPath() const { return namesPath; }
    // The label list, 0 until built.
    unsigned getNameList() const { return nameList; }

protected:
    // Registers the class word and the five words, the fourth being namesWord.
    SkyNameLabels(const char* classWord, const char* namesWord, Main* owner);

    // Reads the names file from the owner's data directory: the labels of
    // the blocks that header opens (and their dots, when stars is given) are
    // appended. 0 with openError logged when the file does not open.
    int readNames(const std::string& path, const char* header, const char* openError,
                  std::vector<FixedStar>* stars);
    // What a font change rebuilds.
    virtual void rebuildAfterFontChange() = 0;
    // Compiles the labels into the label list (needs GL).
    void compileNameList();
    // Deletes the label list (needs GL); it is compiled again when needed.
    void dropNameList();
    // Replaces the display list with one that draws what body draws, the
    // current colour kept around it (needs GL).
    static void compileList(unsigned& list, const std::function<void()>& body);
    // Calls the label list in the label colour (needs GL).
    void callNameList() const;

    Main* owner;
    std::vector<StarName> names;
    double nameColor[3] = {1.0, 1.0, 1.0};
    int built = 0;
    std::string namesPath;
    int shown = 0;
    unsigned nameList = 0;
    std::unique_ptr<LabelFont> font;

private:
    const char* classWord;
    const char* namesWord;
};
