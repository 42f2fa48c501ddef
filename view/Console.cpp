#include "view/Console.h"

#include <GL/gl.h>
#include <charconv>
#include <cmath>

#include "engine/CommandArgs.h"
#include "engine/CommandTable.h"
#include "engine/FrameTimer.h"
#include "engine/LogMessage.h"
#include "engine/Main.h"
#include "engine/RealToInt.h"
#include "engine/Timer.h"
#include "graphics/LabelFont.h"
#include "model/Ssystem.h"
#include "view/Detail.h"

namespace {

enum class Word {
    Show,
    Mode,
    SimModeName,
    PlaceName,
    TimeText,
    TextColor,
    TextFont,
    Fps,
    Pos,
    ShowTog,
    FpsTog,
    TextColorTo
};

struct CommandWord {
    const char* name;
    Word word;
};

// Registration (and listing) order; none is hidden.
constexpr CommandWord commandWords[] = {
    {"Show", Word::Show},
    {"Mode", Word::Mode},
    {"SimModeName", Word::SimModeName},
    {"PlaceName", Word::PlaceName},
    {"TimeText", Word::TimeText},
    {"TextColor", Word::TextColor},
    {"TextFont", Word::TextFont},
    {"FPS", Word::Fps},
    {"Pos", Word::Pos},
    {"ShowTog", Word::ShowTog},
    {"FPSTog", Word::FpsTog},
    {"TextColorTo", Word::TextColorTo},
};

const char* modeWord(int mode) {
    return mode == Console::NamesOnly  ? "NamesOnly"
           : mode == Console::TimeOnly ? "TimeOnly"
                                       : "Default";
}

// "%.2f" in the C locale whatever locale is set.
std::string fixed2(double value) {
    char buffer[64];
    char* end =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 2).ptr;
    return std::string(buffer, end);
}

// " N:dd.mm" / " S:dd.mm" (or E / W): the number is never negative.
std::string formatAngle(float degrees, char positive, char negative) {
    const float value = Console::degToDegMin(degrees);
    std::string text = " ";
    text += degrees >= 0.0f ? positive : negative;
    text += ':';
    text += fixed2(degrees >= 0.0f ? value : -value);
    return text;
}

} // namespace

Console::Console(Main* owner)
    : Base("Console", owner), owner_(owner), font_(std::make_unique<LabelFont>()) {
    if (owner)
        for (const CommandWord& entry : commandWords)
            owner->interp.addCommand(getName(), entry.name, false);
    textColor_.set(1.0, 1.0, 1.0, 1.0);
}

Console::~Console() = default;

float Console::degToDegMin(float degrees) {
    if (!std::isfinite(degrees))
        return degrees; // shown as it is, rather than converted into nonsense
    const float sign = degrees < 0.0f ? -1.0f : 1.0f;
    const float a = sign * degrees;
    float d = std::trunc(a);
    // Hundredths of a degree (the 0.0001 absorbs the representation error of
    // values like 35.69), then whole minutes.
    const int hundredths = int((a - d + 0.0001f) * 100.0f);
    int minutes = hundredths * 60 / 100;
    if (minutes >= 60) {
        // 10.99995 is 11 degrees 0 minutes, not 10 degrees 60 minutes.
        d += 1.0f;
        minutes -= 60;
    }
    return (d + float(minutes) * 0.01f) * sign;
}

std::string Console::formatCoordinates(double latitude, double longitude) {
    return formatAngle(float(latitude), 'N', 'S') + formatAngle(float(longitude), 'E', 'W');
}

void Console::linePosition(Line line, int h, int width, int height, double posX, double posY,
                           int& x, int& y) {
    switch (line) {
    // Far-off positions stay defined: they only move the lines off the view.
    case PlaceLine:
        x = truncToInt(int(h * 0.5) + width * posX);
        y = truncToInt(int(height - h * 1.5) - height * posY);
        break;
    case TimeLine:
        x = truncToInt(h * 0.5 + width * posX);
        y = truncToInt(int(height - h * 0.5) - height * posY);
        break;
    case FpsLine:
        x = int(h * 0.5);
        y = int(h * 1.5);
        break;
    }
}

std::string Console::getPlaceText() const {
    if (!ssystem_)
        return {};
    std::string text = ssystem_->getSelectedName();
    if (ssystem_->getPlaceIndex() >= 0)
        text += ":" + ssystem_->getPlaceName();
    return text;
}

std::string Console::getPlaceLine() const {
    std::string text = getPlaceText();
    if (ssystem_ && ssystem_->getPlaceIndex() >= 0)
        text += formatCoordinates(ssystem_->getPlaceLat(), ssystem_->getPlaceLon());
    return text;
}

std::string Console::getTimeText() const {
    return timer_ ? timer_->getTimeText() : std::string();
}

std::string Console::getFpsText() const {
    return "FPS:" + fixed2(frameTimer_ ? frameTimer_->getFps() : 0.0f);
}

void Console::setLabelFont(const std::string& family, float size, int style) {
    font_->setFont(family, size, style, 0);
}

std::string Console::getLabelFontSpec() const {
    return font_->getFontSpec();
}

int Console::execute() {
    const CommandWord* entry = findCommandWord(commandWords, owner_->interp.commandWord);
    if (!entry)
        return 0;
    CommandArgs& args = owner_->interp.args;
    switch (entry->word) {
    case Word::Show: {
        int on = 0;
        args.readInt(on);
        show_ = on != 0;
        return 1;
    }
    case Word::Mode: {
        const std::string name = args.readWord();
        mode_ = name == "NamesOnly" ? NamesOnly : name == "TimeOnly" ? TimeOnly : Default;
        return 1;
    }
    case Word::SimModeName:
    case Word::PlaceName:
    case Word::TimeText:
        return 0; // queries only
    case Word::TextColor: {
        double c[4] = {0.0, 0.0, 0.0, 0.0};
        args.readDouble(c[0]).readDouble(c[1]).readDouble(c[2]).readDouble(c[3]);
        textColor_.set(c);
        return 1;
    }
    case Word::TextFont: {
        std::string family;
        float size = 0.0f;
        int style = 0;
        args.readWord(family).readFloat(size).readInt(style);
        // Making a font is costly: only a real change rebuilds it.
        if (family != font_->getFamilyToken() || size != font_->getSize() ||
            style != font_->getStyle())
            font_->setFont(family, size, style, 0);
        return 1;
    }
    case Word::Fps:
        args.readInt(fps_);
        return 1;
    case Word::Pos: {
        double x = 0.0, y = 0.0;
        args.readDouble(x).readDouble(y);
        if (!std::isfinite(x) || !std::isfinite(y)) {
            logMessage("Console.Pos %g %g: the position must be two numbers.", x, y);
            return 0;
        }
        posX_ = x;
        posY_ = y;
        return 1;
    }
    case Word::ShowTog:
        show_ = show_ == 0;
        return 1;
    case Word::FpsTog:
        fps_ = fps_ == 0;
        return 1;
    case Word::TextColorTo: {
        double c[4] = {0.0, 0.0, 0.0, 0.0};
        int frames = 0;
        args.readDouble(c[0]).readDouble(c[1]).readDouble(c[2]).readDouble(c[3]).readInt(frames);
        textColor_.startTo(c, frames);
        return 1;
    }
    }
    return 0;
}

std::string Console::getValue() {
    const CommandWord* entry = findCommandWord(commandWords, owner_->interp.commandWord);
    if (!entry)
        return Base::getValue();
    CommandArgs text;
    switch (entry->word) {
    case Word::Show:
        return CommandArgs::formatInt(show_);
    case Word::Mode:
        return modeWord(mode_);
    case Word::SimModeName:
        return ssystem_ ? ssystem_->getSimModeName() : std::string();
    case Word::PlaceName:
        return getPlaceText();
    case Word::TimeText:
        return getTimeText();
    case Word::TextColor: {
        const double* c = textColor_.getValue();
        text.appendDouble(c[0]).appendDouble(c[1]).appendDouble(c[2]).appendDouble(c[3]);
        return text.getText();
    }
    case Word::TextFont:
        return font_->getFontSpec();
    case Word::Fps:
        return CommandArgs::formatInt(fps_);
    case Word::Pos:
        text.appendDouble(posX_).appendDouble(posY_);
        return text.getText();
    default:
        return Base::getValue();
    }
}

std::string Console::saveStates() {
    CommandArgs text;
    text.beginCommand(getName(), "Show").appendInt(show_);
    return text.getText();
}

std::string Console::saveOptions() {
    CommandArgs text;
    text.beginCommand(getName(), "Mode").appendWord(modeWord(mode_));
    text.beginCommand(getName(), "TextColor").appendExactDoubles(textColor_.getValue(), 4);
    text.beginCommand(getName(), "TextFont").appendWord(font_->getFontSpec());
    text.beginCommand(getName(), "FPS").appendInt(fps_);
    return text.getText();
}

void Console::draw(int) {
    if (!show_)
        return;
    const int width = owner_ ? owner_->getWidth() : 0;
    const int height = owner_ ? owner_->getHeight() : 0;
    const std::string placeLine = getPlaceLine();
    const std::string timeLine = getTimeText();
    const std::string fpsLine = getFpsText();

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, width, height, 0, 0, 1); // pixels from the top-left corner
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glPushAttrib(GL_CURRENT_BIT);
    if (detail_ && detail_->getAlphaBlend())
        glEnable(GL_BLEND);
    glColor4dv(textColor_.getValue());

    auto drawLine = [&](Line line, const std::string& text) {
        int x = 0, y = 0;
        linePosition(line, font_->getTextHeight(text), width, height, posX_, posY_, x, y);
        glRasterPos2i(x, y);
        font_->draw(text, 0);
    };
    if (mode_ != TimeOnly)
        drawLine(PlaceLine, placeLine);
    if (mode_ != NamesOnly)
        drawLine(TimeLine, timeLine);
    if (fps_)
        drawLine(FpsLine, fpsLine);

    glDisable(GL_BLEND);
    glPopAttrib();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}
