#include "view/Detail.h"

#include <filesystem>
#include <system_error>

#include "engine/CommandArgs.h"
#include "engine/CommandTable.h"
#include "engine/LogMessage.h"
#include "engine/Main.h"
#include "view/DetailListener.h"
#include "view/LabelFontOwner.h"

namespace {

enum class Action {
    Draw,
    Body,
    Orbit,
    AlphaBlend,
    Texture,
    Filter,
    TexDir,
    Font,
    DrawTog,
    BodyNext,
    BodyPrev,
    OrbitNext,
    OrbitPrev,
    AlphaBlendTog,
    TextureTog,
    FilterTog
};

struct CommandWord {
    const char* name;
    bool hidden;
    Action action;
    Detail::FontRow font; // for Action::Font
};

// Registration order, which is also the order execute compares in. The
// listing shows "TextureTog" twice (it is registered three times, once
// hidden); the first row runs it.
constexpr CommandWord commandWords[] = {
    {"Draw", false, Action::Draw, Detail::FontRowCount},
    {"Body", false, Action::Body, Detail::FontRowCount},
    {"Orbit", false, Action::Orbit, Detail::FontRowCount},
    {"AlphaBlend", false, Action::AlphaBlend, Detail::FontRowCount},
    {"Texture", false, Action::Texture, Detail::FontRowCount},
    {"Filter", false, Action::Filter, Detail::FontRowCount},
    {"TexDir", false, Action::TexDir, Detail::FontRowCount},
    {"SsystemFont", true, Action::Font, Detail::SsystemFont},
    {"ConstesFont", true, Action::Font, Detail::ConstesFont},
    {"GalaxiesFont", true, Action::Font, Detail::GalaxiesFont},
    {"FstarsFont", true, Action::Font, Detail::FstarsFont},
    {"ConsoleFont", true, Action::Font, Detail::ConsoleFont},
    {"LscapeFont", true, Action::Font, Detail::LscapeFont},
    {"FrameFont", true, Action::Font, Detail::FrameFont},
    {"DrawTog", true, Action::DrawTog, Detail::FontRowCount},
    {"DrawPrev", false, Action::DrawTog, Detail::FontRowCount},
    {"DrawNext", false, Action::DrawTog, Detail::FontRowCount},
    {"BodyTog", true, Action::BodyNext, Detail::FontRowCount},
    {"BodyPrev", false, Action::BodyPrev, Detail::FontRowCount},
    {"BodyNext", false, Action::BodyNext, Detail::FontRowCount},
    {"OrbitTog", true, Action::OrbitNext, Detail::FontRowCount},
    {"OrbitPrev", false, Action::OrbitPrev, Detail::FontRowCount},
    {"OrbitNext", false, Action::OrbitNext, Detail::FontRowCount},
    {"AlphaBlendTog", false, Action::AlphaBlendTog, Detail::FontRowCount},
    {"TextureTog", true, Action::TextureTog, Detail::FontRowCount},
    {"TextureTog", false, Action::TextureTog, Detail::FontRowCount},
    {"TextureTog", false, Action::TextureTog, Detail::FontRowCount},
    {"FilterTog", true, Action::FilterTog, Detail::FontRowCount},
    {"FilterPrev", false, Action::FilterTog, Detail::FontRowCount},
    {"FilterNext", false, Action::FilterTog, Detail::FontRowCount},
};

// Keyword texts by stored value; the last one also names any other value.
constexpr const char* drawWords[] = {"Wire", "Adaptive", "Solid"};
constexpr const char* levelWords[] = {"Low", "Mid", "High"};
constexpr const char* textureWords[] = {"None", "Selected", "Always"};
constexpr const char* filterWords[] = {"Nearest", "Linear"};

template <std::size_t N> int keywordIndex(const std::string& word, const char* const (&words)[N]) {
    for (std::size_t i = 0; i < N; ++i)
        if (word == words[i])
            return int(i);
    return -1;
}

template <std::size_t N> const char* keywordOf(int value, const char* const (&words)[N]) {
    return value >= 0 && value < int(N) ? words[value] : words[N - 1];
}

int nextLevel(int level) {
    return level == Detail::Low ? Detail::Mid : level == Detail::Mid ? Detail::High : Detail::Low;
}

int previousLevel(int level) {
    return level == Detail::Low ? Detail::High : level == Detail::High ? Detail::Mid : Detail::Low;
}

} // namespace

Detail::Detail(Main* owner) : Base("Detail", owner), owner_(owner) {
    if (owner)
        for (const CommandWord& entry : commandWords)
            owner->interp.addCommand(getName(), entry.name, entry.hidden);
}

int Detail::getBodySlices() const {
    switch (bodyLevel_) {
    case Mid:
        return 24;
    case High:
        return 36;
    default:
        return 12;
    }
}

int Detail::getOrbitPoints() const {
    switch (orbitLevel_) {
    case Mid:
        return 128;
    case High:
        return 256;
    default:
        return 64;
    }
}

namespace {

bool isFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

// Anything at all there: a folder, a pipe, a link to nothing.
bool isThere(const std::string& path) {
    std::error_code error;
    return std::filesystem::symlink_status(path, error).type() !=
           std::filesystem::file_type::not_found;
}

} // namespace

std::string Detail::getTexturePath(const std::string& name) const {
    const std::size_t slash = name.rfind('/');
    const std::string filePart = slash == std::string::npos ? name : name.substr(slash + 1);
    const std::string candidate = (texDir_.empty() ? std::string(".") : texDir_) + "/" + filePart;
    if (isFile(candidate))
        return candidate;
    // A resolution folder that lacks a map must not cost the body its
    // picture: the shipped folder has every map.
    const std::string shipped = std::string(defaultTexDir) + "/" + filePart;
    if (candidate != shipped && isFile(shipped)) {
        if (fallbacksLogged_.insert(filePart).second)
            logMessage("Texture %s not found in %s: loaded from %s.", filePart.c_str(),
                       texDir_.c_str(), defaultTexDir);
        return shipped;
    }
    // What is there but is no picture file is named, so that the loader
    // tells what it found and why it read nothing. A name with no file part
    // names no entry of either folder, only the folder itself.
    if (!filePart.empty())
        for (const std::string& found : {candidate, shipped})
            if (isThere(found))
                return found;
    return name;
}

void Detail::rebuild() {
    if (listener_)
        listener_->rebuildDisplayLists();
}

void Detail::changeLevel(int& field, int value) {
    if (field == value)
        return;
    field = value;
    rebuild();
}

void Detail::body(int level) {
    changeLevel(bodyLevel_, level);
}

void Detail::orbit(int level) {
    changeLevel(orbitLevel_, level);
}

void Detail::filter(int value) {
    changeLevel(filter_, value);
}

void Detail::alphaBlend(int on) {
    alphaBlend_ = on;
    if (listener_)
        listener_->setFadeAlphaBlend(on);
}

void Detail::texDir(const std::string& dir) {
    texDir_ = dir;
    fallbacksLogged_.clear();
    if (!texDir_.empty() && (texDir_.back() == '/' || texDir_.back() == '\\'))
        texDir_.pop_back();
    rebuild();
    if (listener_)
        listener_->reloadMilkyWayTexture();
}

int Detail::execute() {
    const CommandWord* entry = findCommandWord(commandWords, owner_->interp.commandWord);
    if (!entry)
        return 0;
    CommandArgs& args = owner_->interp.args;
    // A keyword argument outside the row's words changes nothing.
    auto keyword = [&args](auto& words, auto apply) {
        const int index = keywordIndex(args.readWord(), words);
        if (index < 0)
            return 0;
        apply(index);
        return 1;
    };
    switch (entry->action) {
    case Action::Draw:
        return keyword(drawWords, [this](int v) { setDraw(v); });
    case Action::Body:
        return keyword(levelWords, [this](int v) { body(v); });
    case Action::Orbit:
        return keyword(levelWords, [this](int v) { orbit(v); });
    case Action::AlphaBlend: {
        int on = 0;
        args.readInt(on);
        alphaBlend(on);
        return 1;
    }
    case Action::Texture:
        return keyword(textureWords, [this](int v) { setTextureMode(v); });
    case Action::Filter:
        return keyword(filterWords, [this](int v) { filter(v); });
    case Action::TexDir:
        texDir(args.readWord());
        return 1;
    case Action::Font: {
        std::string family;
        float size = 0.0f;
        int style = 0;
        args.readWord(family).readFloat(size).readInt(style);
        if (LabelFontOwner* fontOwner = fontOwners_[entry->font])
            fontOwner->setLabelFont(family, size, style);
        return 1;
    }
    case Action::DrawTog:
        // Adaptive is not part of the cycle.
        if (drawMode_ == Wire)
            setDraw(Solid);
        else if (drawMode_ == Solid)
            setDraw(Wire);
        return 1;
    case Action::BodyNext:
        body(nextLevel(bodyLevel_));
        return 1;
    case Action::BodyPrev:
        body(previousLevel(bodyLevel_));
        return 1;
    case Action::OrbitNext:
        orbit(nextLevel(orbitLevel_));
        return 1;
    case Action::OrbitPrev:
        orbit(previousLevel(orbitLevel_));
        return 1;
    case Action::AlphaBlendTog:
        alphaBlend(alphaBlend_ == 0 ? 1 : 0);
        return 1;
    case Action::TextureTog:
        // Selected is not part of the cycle.
        if (textureMode_ == TextureNone)
            setTextureMode(TextureAlways);
        else if (textureMode_ == TextureAlways)
            setTextureMode(TextureNone);
        return 1;
    case Action::FilterTog:
        filter(filter_ == Nearest ? Linear : Nearest);
        return 1;
    }
    return 0;
}

std::string Detail::getValue() {
    const CommandWord* entry = findCommandWord(commandWords, owner_->interp.commandWord);
    if (!entry)
        return Base::getValue();
    switch (entry->action) {
    case Action::Draw:
        return keywordOf(drawMode_, drawWords);
    case Action::Body:
        return keywordOf(bodyLevel_, levelWords);
    case Action::Orbit:
        return keywordOf(orbitLevel_, levelWords);
    case Action::AlphaBlend:
        return CommandArgs::formatInt(alphaBlend_);
    case Action::Texture:
        return keywordOf(textureMode_, textureWords);
    case Action::Filter:
        return filter_ ? filterWords[Linear] : filterWords[Nearest];
    case Action::TexDir:
        return texDir_;
    case Action::Font:
        if (const LabelFontOwner* fontOwner = fontOwners_[entry->font])
            return fontOwner->getLabelFontSpec();
        return Base::getValue();
    default:
        return Base::getValue();
    }
}

std::string Detail::saveOptions() {
    CommandArgs text;
    text.beginCommand(getName(), "Draw").appendWord(keywordOf(drawMode_, drawWords));
    text.beginCommand(getName(), "Body").appendWord(keywordOf(bodyLevel_, levelWords));
    text.beginCommand(getName(), "Orbit").appendWord(keywordOf(orbitLevel_, levelWords));
    text.beginCommand(getName(), "AlphaBlend").appendInt(alphaBlend_);
    text.beginCommand(getName(), "Texture").appendWord(keywordOf(textureMode_, textureWords));
    text.beginCommand(getName(), "Filter").appendWord(filter_ ? "Linear" : "Nearest");
    text.beginCommand(getName(), "TexDir").appendWord(texDir_);
    return text.getText();
}
