// The "Lscape" commands, their value texts and the saved state and option lines.
#include <string>

#include "engine/CommandArgs.h"
#include "engine/CommandTable.h"
#include "engine/Main.h"
#include "graphics/LabelFont.h"
#include "sky/Lscape.h"

namespace {

enum class Word {
    Show,
    Dir,
    DirColor,
    DirFont,
    TopColor,
    BottomColor,
    HorizonColor,
    GroundColor,
    Weather,
    WeatherOpacity,
    LscapeHeight,
    SstarsCenter,
    SstarsRandom,
    SstarsCount,
    NumSstars,
    CursorType,
    CursorSize,
    GroundType,
    KeepDirVisible,
    DefaultPlaceName,
    ShowTog,
    DirTog,
    TopColorTo,
    BottomColorTo,
    WeatherTog,
    WeatherTo,
    WeatherOpacityTo,
};

struct LscapeCommand {
    const char* name;
    Word word;
    bool hidden;
};

// Registration order; NumSstars and WeatherTo are older spellings kept out of
// the listing.
const LscapeCommand commands[] = {
    {"Show", Word::Show, false},
    {"Dir", Word::Dir, false},
    {"DirColor", Word::DirColor, false},
    {"DirFont", Word::DirFont, false},
    {"TopColor", Word::TopColor, false},
    {"BottomColor", Word::BottomColor, false},
    {"HorizonColor", Word::HorizonColor, false},
    {"GroundColor", Word::GroundColor, false},
    {"Weather", Word::Weather, false},
    {"WeatherOpacity", Word::WeatherOpacity, false},
    {"LscapeHeight", Word::LscapeHeight, false},
    {"SstarsCenter", Word::SstarsCenter, false},
    {"SstarsRandom", Word::SstarsRandom, false},
    {"SstarsCount", Word::SstarsCount, false},
    {"NumSstars", Word::NumSstars, true},
    {"CursorType", Word::CursorType, false},
    {"CursorSize", Word::CursorSize, false},
    {"GroundType", Word::GroundType, false},
    {"KeepDirVisible", Word::KeepDirVisible, false},
    {"DefaultPlaceName", Word::DefaultPlaceName, false},
    {"ShowTog", Word::ShowTog, false},
    {"DirTog", Word::DirTog, false},
    {"TopColorTo", Word::TopColorTo, false},
    {"BottomColorTo", Word::BottomColorTo, false},
    {"WeatherTog", Word::WeatherTog, false},
    {"WeatherTo", Word::WeatherTo, true},
    {"WeatherOpacityTo", Word::WeatherOpacityTo, false},
};

const char* cursorWord(int type) {
    return type == Lscape::Arrow ? "Arrow" : type == Lscape::Light ? "Light" : "Annotate";
}

const char* groundWord(int type) {
    return type == Lscape::Panorama ? "Panorama" : type == Lscape::Mesh ? "Mesh" : "Horizon";
}

std::string numbers(const double* values, int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += CommandArgs::formatReal(values[i]);
    return text;
}

void readColor(CommandArgs& args, double* rgba) {
    args.readDouble(rgba[0]).readDouble(rgba[1]).readDouble(rgba[2]).readDouble(rgba[3]);
}

} // namespace

void Lscape::registerCommands() {
    if (!owner_)
        return;
    for (const LscapeCommand& command : commands)
        owner_->interp.addCommand("Lscape", command.name, command.hidden);
}

int Lscape::execute() {
    if (!owner_)
        return 0;
    const LscapeCommand* command = findCommandWord(commands, owner_->interp.commandWord);
    if (!command)
        return 0;
    CommandArgs& args = owner_->interp.args;
    int i = 0;
    double d = 0.0;
    double rgba[4] = {0.0, 0.0, 0.0, 0.0};
    switch (command->word) {
    case Word::Show:
        args.readInt(show_);
        break;
    case Word::Dir:
        args.readInt(dir_);
        break;
    case Word::DirColor:
        args.readDouble(rgba[0]).readDouble(rgba[1]).readDouble(rgba[2]);
        dirColor(rgba[0], rgba[1], rgba[2]);
        break;
    case Word::DirFont: {
        std::string family;
        float size = 0.0f;
        args.readWord(family).readFloat(size).readInt(i);
        dirFont(family, size, i);
        break;
    }
    case Word::TopColor:
        readColor(args, rgba);
        topColor(rgba);
        break;
    case Word::BottomColor:
        readColor(args, rgba);
        bottomColor(rgba);
        break;
    case Word::HorizonColor:
        readColor(args, rgba);
        horizonColor(rgba);
        break;
    case Word::GroundColor:
        readColor(args, rgba);
        groundColor(rgba);
        break;
    case Word::Weather:
        args.readInt(i);
        weather(i);
        break;
    case Word::WeatherOpacity:
        args.readDouble(d);
        weatherOpacity(d);
        break;
    case Word::LscapeHeight:
        args.readFloat(lscapeHeight_);
        break;
    case Word::SstarsCenter: {
        double ra = 0.0;
        args.readDouble(ra).readDouble(d);
        sstarsCenter(ra, d);
        break;
    }
    case Word::SstarsRandom:
        args.readInt(i);
        sstars_.setRandom(i);
        break;
    case Word::SstarsCount:
    case Word::NumSstars:
        args.readInt(i);
        sstars_.setCount(i);
        break;
    case Word::CursorType: {
        const std::string type = args.readWord();
        cursorType(type == "Arrow" ? Arrow : type == "Light" ? Light : Annotate);
        break;
    }
    case Word::CursorSize:
        args.readDouble(cursorSize_);
        break;
    case Word::GroundType: {
        const std::string type = args.readWord();
        groundType_ = type == "Panorama" ? Panorama : type == "Mesh" ? Mesh : Horizon;
        break;
    }
    case Word::KeepDirVisible:
        args.readInt(keepDirVisible_);
        break;
    case Word::DefaultPlaceName:
        defaultPlaceName(args.readWord());
        break;
    case Word::ShowTog:
        show_ = show_ == 0 ? 1 : 0;
        break;
    case Word::DirTog:
        dir_ = dir_ == 0 ? 1 : 0;
        break;
    case Word::TopColorTo:
        readColor(args, rgba);
        args.readInt(i);
        topColorTo(rgba, i);
        break;
    case Word::BottomColorTo:
        readColor(args, rgba);
        args.readInt(i);
        bottomColorTo(rgba, i);
        break;
    case Word::WeatherTog:
        weatherTog();
        break;
    case Word::WeatherTo:
    case Word::WeatherOpacityTo:
        args.readDouble(d).readInt(i);
        weatherOpacityTo(d, i);
        break;
    }
    return 1;
}

std::string Lscape::getValue() {
    if (!owner_)
        return "Undefined";
    const LscapeCommand* command = findCommandWord(commands, owner_->interp.commandWord);
    if (!command)
        return "Undefined";
    switch (command->word) {
    case Word::Show:
        return CommandArgs::formatInt(show_);
    case Word::Dir:
        return CommandArgs::formatInt(dir_);
    case Word::DirColor:
        return numbers(dirColor_, 3);
    case Word::DirFont:
        return font_->getFontSpec();
    case Word::TopColor:
        return numbers(topColor_.getValue(), 4);
    case Word::BottomColor:
        return numbers(bottomColor_.getValue(), 4);
    case Word::HorizonColor:
        return numbers(horizonColor_.getValue(), 4);
    case Word::GroundColor:
        return numbers(groundColor_.getValue(), 4);
    case Word::Weather:
        return CommandArgs::formatInt(weather_);
    case Word::WeatherOpacity:
        return CommandArgs::formatReal(weatherOpacity_.getValue());
    case Word::LscapeHeight:
        return CommandArgs::formatReal(lscapeHeight_);
    case Word::SstarsCenter:
        return CommandArgs::formatReal(sstars_.getCenterRa()) +
               CommandArgs::formatReal(sstars_.getCenterDec());
    case Word::SstarsRandom:
        return CommandArgs::formatInt(sstars_.getRandom());
    case Word::SstarsCount:
    case Word::NumSstars:
        return CommandArgs::formatInt(sstars_.getCount());
    case Word::CursorType:
        return cursorWord(cursorType_);
    case Word::CursorSize:
        return CommandArgs::formatReal(cursorSize_);
    case Word::GroundType:
        return groundWord(groundType_);
    case Word::KeepDirVisible:
        return CommandArgs::formatInt(keepDirVisible_);
    case Word::DefaultPlaceName:
        return defaultPlaceName_;
    default:
        return "Undefined"; // toggles and the words ending in To
    }
}

std::string Lscape::saveStates() {
    CommandArgs out;
    out.beginCommand("Lscape", "Show").appendInt(show_);
    out.beginCommand("Lscape", "Dir").appendInt(dir_);
    // The radiant first: giving it switches the random streaks off, so the
    // switch that follows restores them as they were.
    out.beginCommand("Lscape", "SstarsCenter")
        .appendExactDouble(sstars_.getCenterRa())
        .appendExactDouble(sstars_.getCenterDec());
    out.beginCommand("Lscape", "SstarsRandom").appendInt(sstars_.getRandom());
    out.beginCommand("Lscape", "SstarsCount").appendInt(sstars_.getCount());
    // Colours as they are now, also halfway through a change.
    out.beginCommand("Lscape", "TopColor").appendExactDoubles(topColor_.getValue(), 4);
    out.beginCommand("Lscape", "BottomColor").appendExactDoubles(bottomColor_.getValue(), 4);
    out.beginCommand("Lscape", "Weather").appendInt(weather_);
    out.beginCommand("Lscape", "WeatherOpacity").appendExactDouble(weatherOpacity_.getValue());
    return out.getText();
}

std::string Lscape::saveOptions() {
    CommandArgs out;
    out.beginCommand("Lscape", "DirColor").appendExactDoubles(dirColor_, 3);
    out.beginCommand("Lscape", "GroundColor").appendExactDoubles(groundColor_.getValue(), 4);
    out.beginCommand("Lscape", "HorizonColor").appendExactDoubles(horizonColor_.getValue(), 4);
    out.beginCommand("Lscape", "CursorType").append(std::string(" ") + cursorWord(cursorType_));
    out.beginCommand("Lscape", "CursorSize").appendExactDouble(cursorSize_);
    out.beginCommand("Lscape", "GroundType").append(std::string(" ") + groundWord(groundType_));
    out.beginCommand("Lscape", "LscapeHeight").appendExactFloat(lscapeHeight_);
    out.beginCommand("Lscape", "DirFont").append(" " + font_->getFontSpec());
    out.beginCommand("Lscape", "KeepDirVisible").appendInt(keepDirVisible_);
    out.beginCommand("Lscape", "DefaultPlaceName").append(" " + defaultPlaceName_);
    return out.getText();
}
