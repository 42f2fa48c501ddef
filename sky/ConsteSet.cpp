#include "sky/ConsteSet.h"

#include <GL/gl.h>

#include "engine/CommandArgs.h"
#include "engine/DataFile.h"
#include "engine/LogMessage.h"
#include "graphics/LabelFont.h"
#include "platform/CurrentDirGuard.h"
#include "sky/Conste.h"

namespace {

const char* const listFileName = "constes.cdl";

// "%g %g ..." in the C locale, no blank in front.
std::string numbersText(std::initializer_list<double> values) {
    std::string text;
    for (double v : values)
        text += CommandArgs::formatReal(v);
    return text.empty() ? text : text.substr(1);
}

} // namespace

ConsteSet::ConsteSet() : nameFont(std::make_unique<LabelFont>()) {}

ConsteSet::~ConsteSet() {
    clearEntries();
}

void ConsteSet::clearEntries() {
    entries.clear();
}

int ConsteSet::load(const std::string& path) {
    std::string listFile = listFileName;
    directory = path;
    if (path.find(".cdl") != std::string::npos && path.back() != '/' && path.back() != '\\') {
        std::size_t separator = path.rfind('/');
        if (separator == std::string::npos)
            separator = path.rfind('\\');
        // A bare file name is a list in the current directory.
        const std::size_t cut = separator == std::string::npos ? 0 : separator + 1;
        directory = path.substr(0, cut);
        listFile = path.substr(cut);
    }
    clearEntries();
    platform::CurrentDirGuard guard;
    if (!directory.empty() && !guard.change(directory)) {
        // Reading "constes.cdl" from wherever we happen to be would load
        // some other list.
        logMessage("Can't open constellation directory %s.", directory.c_str());
        return 0;
    }
    // The art is read at its first draw, perhaps from another working
    // directory: keep the directory absolute.
    directory = platform::currentDirectory();

    DataFile file;
    if (!file.open(listFile, DataFile::Read, 0, DataFile::HostOrder)) {
        logMessage("Can't open constellation list %s. %s.", listFile.c_str(), file.error().c_str());
        return 0;
    }
    std::string token;
    std::string previous;
    while (file.good()) {
        file.readWord(token);
        // A list naming a file twice in a row loads it once.
        const bool skip = token.empty() || token == previous;
        previous = token;
        if (skip)
            continue;
        auto conste = std::make_unique<Conste>();
        conste->setDataDir(directory);
        if (!conste->load(token))
            continue;
        conste->setFont(nameFont.get());
        const std::string name = conste->getName();
        entries.push_back({name, std::move(conste), 0});
    }
    return 1;
}

// ---- flags -------------------------------------------------------------------

bool ConsteSet::inCategory(const ConsteEntry& e) const {
    return category == "All" || e.conste->getCategory() == category;
}

bool ConsteSet::anyFlag(int mask) const {
    for (const ConsteEntry& e : entries)
        if (e.flags & mask)
            return true;
    return false;
}

void ConsteSet::applyNames(const std::string& names, const NameRule& rule) {
    std::size_t begin = 0;
    while (begin < names.size()) {
        std::size_t end = names.find(' ', begin);
        if (end == std::string::npos)
            end = names.size();
        const std::string token = names.substr(begin, end - begin);
        begin = end + 1;
        if (token.empty())
            continue;
        bool handled = false;
        if (token == "All") {
            for (ConsteEntry& e : entries)
                if (rule.scope == AllScope::Every || inCategory(e))
                    e.flags = (e.flags & ~rule.clear) | rule.set;
            handled = true;
        } else {
            for (ConsteEntry& e : entries) {
                if (e.name == token) {
                    e.flags = (e.flags & ~rule.clear) | rule.set;
                    handled = true;
                    break;
                }
            }
        }
        if (!handled)
            continue;
        if (rule.showing) {
            shown = 1;
            *rule.feature = 1;
        } else {
            *rule.feature = anyFlag(rule.clear) ? 1 : 0;
            if (!namesShown && !linesShown && !artsShown && !sepsShown)
                shown = 0;
        }
    }
}

void ConsteSet::showNames(const std::string& names) {
    applyNames(names, {AllScope::Category, NameBit, 0, &namesShown, true});
}

void ConsteSet::hideNames(const std::string& names) {
    applyNames(names, {AllScope::Every, 0, NameBit, &namesShown, false});
}

void ConsteSet::showLines(const std::string& names) {
    applyNames(names, {AllScope::Category, LinesBit, LinesHighlightBit, &linesShown, true});
}

void ConsteSet::hideLines(const std::string& names) {
    applyNames(names, {AllScope::Every, 0, LinesBit | LinesHighlightBit, &linesShown, false});
}

void ConsteSet::highlightLines(const std::string& names) {
    applyNames(names, {AllScope::Every, LinesHighlightBit, LinesBit, &linesShown, true});
}

void ConsteSet::showArts(const std::string& names) {
    applyNames(names, {AllScope::Category, ArtBit, ArtHighlightBit, &artsShown, true});
}

void ConsteSet::hideArts(const std::string& names) {
    applyNames(names, {AllScope::Every, 0, ArtBit | ArtHighlightBit, &artsShown, false});
}

void ConsteSet::highlightArts(const std::string& names) {
    applyNames(names, {AllScope::Every, ArtHighlightBit, ArtBit, &artsShown, true});
}

void ConsteSet::showSeps(const std::string& names) {
    applyNames(names, {AllScope::Category, SepsBit, 0, &sepsShown, true});
}

void ConsteSet::hideSeps(const std::string& names) {
    applyNames(names, {AllScope::Every, 0, SepsBit, &sepsShown, false});
}

void ConsteSet::show() {
    shown = namesShown = linesShown = artsShown = sepsShown = 1;
    for (ConsteEntry& e : entries)
        if (inCategory(e))
            e.flags = NameBit | LinesBit | ArtBit | SepsBit;
}

void ConsteSet::hide() {
    shown = namesShown = linesShown = artsShown = sepsShown = 0;
    for (ConsteEntry& e : entries)
        e.flags = 0;
}

void ConsteSet::toggleShow() {
    shown ? hide() : show();
}

void ConsteSet::toggleNames() {
    namesShown ? hideNames("All") : showNames("All");
}

void ConsteSet::toggleLines() {
    linesShown ? hideLines("All") : showLines("All");
}

void ConsteSet::toggleArts() {
    artsShown ? hideArts("All") : showArts("All");
}

void ConsteSet::toggleSeps() {
    sepsShown ? hideSeps("All") : showSeps("All");
}

int ConsteSet::getFlags(const std::string& name) const {
    for (const ConsteEntry& e : entries)
        if (e.name == name)
            return e.flags;
    return 0;
}

// ---- lists -------------------------------------------------------------------

std::string ConsteSet::listNames(int mask, bool set) const {
    std::string text;
    for (const ConsteEntry& e : entries)
        if (e.conste->getCategory() == category && ((e.flags & mask) != 0) == set)
            text += e.name + " ";
    return text;
}

std::string ConsteSet::getShownNames() const {
    return listNames(NameBit, true);
}
std::string ConsteSet::getHiddenNames() const {
    return listNames(NameBit, false);
}
std::string ConsteSet::getShownLines() const {
    return listNames(LinesBit, true);
}
std::string ConsteSet::getHiddenLines() const {
    return listNames(LinesBit, false);
}
std::string ConsteSet::getHighlightedLines() const {
    return listNames(LinesHighlightBit, true);
}
std::string ConsteSet::getShownArts() const {
    return listNames(ArtBit, true);
}
std::string ConsteSet::getHiddenArts() const {
    return listNames(ArtBit, false);
}
std::string ConsteSet::getHighlightedArts() const {
    return listNames(ArtHighlightBit, true);
}
std::string ConsteSet::getShownSeps() const {
    return listNames(SepsBit, true);
}
std::string ConsteSet::getHiddenSeps() const {
    return listNames(SepsBit, false);
}

std::string ConsteSet::getNameList() const {
    std::string text;
    for (const ConsteEntry& e : entries)
        if (inCategory(e))
            text += e.name + " ";
    return text;
}

// ---- display settings --------------------------------------------------------

void ConsteSet::setNameColor(const double color[3]) {
    for (int i = 0; i < 3; ++i)
        nameColor[i] = color[i];
}

namespace {

void setDisp(ConsteSet::LineDisp& d, double width, const double color[3]) {
    d.width = width;
    for (int i = 0; i < 3; ++i)
        d.color[i] = color[i];
}

} // namespace

void ConsteSet::setLinesDisp(double width, const double color[3]) {
    setDisp(linesDisp, width, color);
}
void ConsteSet::setLineshDisp(double width, const double color[3]) {
    setDisp(lineshDisp, width, color);
}
void ConsteSet::setArtDisp(double width, const double color[3]) {
    setDisp(artDisp, width, color);
}
void ConsteSet::setArthDisp(double width, const double color[3]) {
    setDisp(arthDisp, width, color);
}
void ConsteSet::setSepsDisp(double width, const double color[3]) {
    setDisp(sepsDisp, width, color);
}

std::string ConsteSet::getNameColor() const {
    return numbersText({nameColor[0], nameColor[1], nameColor[2]});
}

std::string ConsteSet::dispText(const LineDisp& d) {
    return numbersText({d.width, d.color[0], d.color[1], d.color[2]});
}

void ConsteSet::setNameFont(const std::string& family, float size, int style) {
    if (family == nameFont->getFamilyToken() && size == nameFont->getSize() &&
        style == nameFont->getStyle())
        return;
    nameFont->setFont(family, size, style, 0);
    for (ConsteEntry& e : entries)
        e.conste->setFont(nameFont.get());
}

std::string ConsteSet::getFontSpec() const {
    return nameFont->getFontSpec();
}

// ---- look-ups ----------------------------------------------------------------

Conste* ConsteSet::find(const std::string& name) const {
    for (const ConsteEntry& e : entries)
        if (e.name == name)
            return e.conste.get();
    return nullptr;
}

double ConsteSet::getRA(const std::string& name) const {
    const Conste* c = find(name);
    return c ? c->getRA() : 0.0;
}

double ConsteSet::getDecl(const std::string& name) const {
    const Conste* c = find(name);
    return c ? c->getDecl() : 0.0;
}

// ---- drawing -----------------------------------------------------------------

void ConsteSet::drawPass(const LineDisp& disp, int bit, void (Conste::*part)()) {
    glColor3dv(disp.color);
    glLineWidth(static_cast<float>(disp.width));
    for (ConsteEntry& e : entries)
        if (e.flags & bit)
            (e.conste.get()->*part)();
}

void ConsteSet::draw(const Quaternion&) {
    if (!shown)
        return;
    glPushMatrix();
    glPushAttrib(GL_CURRENT_BIT);
    glPushAttrib(GL_LINE_BIT);
    // Later passes lie over earlier ones: the figure over the art and the
    // boundaries, the names over everything.
    drawPass(artDisp, ArtBit, &Conste::drawArt);
    drawPass(arthDisp, ArtHighlightBit, &Conste::drawArt);
    drawPass(sepsDisp, SepsBit, &Conste::drawSeps);
    drawPass(linesDisp, LinesBit, &Conste::drawLines);
    drawPass(lineshDisp, LinesHighlightBit, &Conste::drawLines);
    // The whole star sphere is drawn without depth test; the root turns it
    // back on after the sphere.
    glDisable(GL_DEPTH_TEST);
    glColor3dv(nameColor);
    for (ConsteEntry& e : entries)
        if (e.flags & NameBit)
            e.conste->drawName();
    glPopAttrib();
    glPopAttrib();
    glPopMatrix();
}

void ConsteSet::buildLists() {
    for (ConsteEntry& e : entries)
        e.conste->buildArt();
}
