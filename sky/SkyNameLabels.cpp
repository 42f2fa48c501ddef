#include "sky/SkyNameLabels.h"

#include <GL/glew.h>

#include "engine/CommandArgs.h"
#include "engine/LogMessage.h"
#include "engine/Main.h"
#include "graphics/LabelFont.h"
#include "platform/CurrentDirGuard.h"
#include "sky/NamesFile.h"
#include "sky/SkyPosition.h"

namespace {

// The five words in registration order; the fourth (null here) is each
// class's own names word.
const char* const commandWords[] = {"Show", "NameColor", "NameFont", nullptr, "ShowTog"};

} // namespace

SkyNameLabels::SkyNameLabels(const char* classWord, const char* namesWord, Main* owner)
    : Base(classWord, owner), owner(owner), font(std::make_unique<LabelFont>()),
      classWord(classWord), namesWord(namesWord) {
    if (!owner)
        return;
    for (const char* word : commandWords)
        owner->interp.addCommand(classWord, word ? word : namesWord, false);
}

SkyNameLabels::~SkyNameLabels() {
    if (nameList != 0)
        glDeleteLists(nameList, 1);
}

int SkyNameLabels::execute() {
    if (!owner)
        return 0;
    const std::string& word = owner->interp.commandWord;
    CommandArgs& args = owner->interp.args;
    if (word == "Show") {
        int on = 0;
        args.readInt(on);
        shown = on != 0;
    } else if (word == "NameColor") {
        args.readDouble(nameColor[0]).readDouble(nameColor[1]).readDouble(nameColor[2]);
    } else if (word == "NameFont") {
        std::string family;
        float size = 0.0f;
        int style = 0;
        args.readWord(family).readFloat(size).readInt(style);
        if (family != font->getFamilyToken() || size != font->getSize() ||
            style != font->getStyle())
            setLabelFont(family, size, style);
    } else if (word == "ShowTog") {
        shown = !shown;
    } else {
        return 0; // the names word only answers queries
    }
    return 1;
}

std::string SkyNameLabels::getValue() {
    if (!owner)
        return "Undefined";
    const std::string& word = owner->interp.commandWord;
    if (word == "Show")
        return CommandArgs::formatInt(shown);
    if (word == "NameColor")
        return CommandArgs::formatReal(nameColor[0]) + CommandArgs::formatReal(nameColor[1]) +
               CommandArgs::formatReal(nameColor[2]);
    if (word == "NameFont")
        return font->getFontSpec();
    if (word == namesWord) {
        std::string list;
        for (const StarName& n : names)
            list += n.name + " ";
        return list;
    }
    return "Undefined";
}

std::string SkyNameLabels::saveStates() {
    CommandArgs text;
    text.beginCommand(classWord, "Show").appendInt(shown);
    return text.getText();
}

std::string SkyNameLabels::saveOptions() {
    CommandArgs text;
    text.beginCommand(classWord, "NameColor").appendExactDoubles(nameColor, 3);
    text.beginCommand(classWord, "NameFont").appendWord(font->getFontSpec());
    return text.getText();
}

void SkyNameLabels::setLabelFont(const std::string& family, float size, int style) {
    font->setFont(family, size, style, 0);
    rebuildAfterFontChange();
}

std::string SkyNameLabels::getLabelFontSpec() const {
    return font->getFontSpec();
}

bool SkyNameLabels::hasLookTarget(const std::string& name) const {
    for (const StarName& n : names)
        if (n.name == name)
            return true;
    return false;
}

Quaternion SkyNameLabels::getLookRot(const std::string& name) const {
    for (const StarName& n : names)
        if (n.name == name)
            return skyLookRotation(n.ra, n.decl);
    return Quaternion();
}

int SkyNameLabels::readNames(const std::string& path, const char* header, const char* openError,
                             std::vector<FixedStar>* stars) {
    namesPath = path;
    // An empty data directory (a root not yet given one) stays where we are.
    platform::CurrentDirGuard guard;
    if (owner && !owner->getDataDir().empty())
        guard.change(owner->getDataDir());
    std::string error;
    if (!readNamesFile(path, header, names, stars, &error)) {
        logFileFailure(openError, path, error);
        return 0;
    }
    return 1;
}

void SkyNameLabels::compileList(unsigned& list, const std::function<void()>& body) {
    if (list != 0)
        glDeleteLists(list, 1);
    list = glGenLists(1);
    glNewList(list, GL_COMPILE);
    glPushAttrib(GL_CURRENT_BIT);
    body();
    glPopAttrib();
    glEndList();
}

void SkyNameLabels::compileNameList() {
    compileList(nameList, [this] {
        for (const StarName& n : names) {
            glRasterPos3fv(n.position);
            font->draw(n.name, 0);
        }
    });
}

void SkyNameLabels::dropNameList() {
    if (nameList != 0)
        glDeleteLists(nameList, 1);
    nameList = 0;
}

void SkyNameLabels::callNameList() const {
    glPushAttrib(GL_CURRENT_BIT);
    glColor3dv(nameColor);
    glCallList(nameList);
    glPopAttrib();
}
