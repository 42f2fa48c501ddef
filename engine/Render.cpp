#include "engine/Render.h"

#include "engine/Main.h"

namespace {

enum Command { FaderColor, Blur, BlurCount, FaderColorTo, BlurTog, BlurCountTog };

// In registration order. (The words are compared exactly, so the order in
// which execute tests them does not matter.)
const struct {
    Command command;
    const char* word;
} commands[] = {
    {FaderColor, "FaderColor"},     {Blur, "Blur"},       {BlurCount, "BlurCount"},
    {FaderColorTo, "FaderColorTo"}, {BlurTog, "BlurTog"}, {BlurCountTog, "BlurCountTog"},
};

bool find(const std::string& word, Command& command) {
    for (const auto& row : commands) {
        if (word == row.word) {
            command = row.command;
            return true;
        }
    }
    return false;
}

const char* const classWord = "Render";

} // namespace

Render::Render(Main* owner) : Base(classWord, owner), owner(owner), fader(new ScreenFader) {
    if (owner)
        for (const auto& row : commands)
            owner->interp.addCommand(getName(), row.word, false);
}

Render::~Render() = default;

const char* Render::getName() const {
    return classWord;
}

int Render::execute() {
    Command command;
    if (!owner || !find(owner->interp.commandWord, command))
        return 0;
    CommandArgs& args = owner->interp.args;
    double r = 0.0, g = 0.0, b = 0.0, a = 0.0;
    int value = 0;
    switch (command) {
    case FaderColor:
        args.readDouble(r).readDouble(g).readDouble(b).readDouble(a);
        fader->setColor(r, g, b, a);
        break;
    case Blur:
        args.readInt(value);
        fader->setBlurOn(value != 0);
        break;
    case BlurCount:
        args.readInt(value);
        fader->setBlurCount(value);
        break;
    case FaderColorTo:
        args.readDouble(r).readDouble(g).readDouble(b).readDouble(a).readInt(value);
        fader->fadeTo(r, g, b, a, value);
        break;
    case BlurTog:
        fader->setBlurOn(!fader->getBlurOn());
        break;
    case BlurCountTog:
        fader->setBlurOn(!fader->getBlurOn());
        fader->setBlurCount(fader->getBlurOn() ? 16 : 0);
        break;
    }
    return 1;
}

std::string Render::getValue() {
    Command command;
    if (!owner || !find(owner->interp.commandWord, command))
        return "Undefined";
    CommandArgs value;
    switch (command) {
    case FaderColor:
        for (double component : fader->getColor())
            value.appendDouble(component);
        break;
    case Blur:
        value.appendInt(fader->getBlurOn() ? 1 : 0);
        break;
    case BlurCount:
        value.appendInt(fader->getBlurCount());
        break;
    default:
        return "Undefined";
    }
    return value.getText();
}

std::string Render::saveStates() {
    CommandArgs lines;
    lines.beginCommand(classWord, "FaderColor");
    for (double component : fader->getColor())
        lines.appendExactDouble(component);
    lines.beginCommand(classWord, "Blur").appendInt(fader->getBlurOn() ? 1 : 0);
    lines.beginCommand(classWord, "BlurCount").appendInt(fader->getBlurCount());
    return lines.getText();
}

void Render::init(int force) {
    if (!built && !force)
        return;
    built = 1;
    fader->buildStipples();
}

void Render::drawBlur() {
    fader->drawBlur();
}

void Render::drawFade() {
    fader->drawFade();
}

int Render::getBlurCount() const {
    return fader->isBlurActive() ? fader->getBlurCount() : 0;
}

void Render::setAlphaBlend(int on) {
    fader->setAlphaBlend(on);
}
