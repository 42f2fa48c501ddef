#include "view/Markers.h"

#include <GL/glew.h>

#include <cmath>

#include "engine/CommandArgs.h"
#include "engine/CommandTable.h"
#include "engine/Main.h"
#include "model/Ssystem.h"

namespace {

enum class Word {
    Show,
    ShowTog,
    Clear,
    Add,
    SetText,
    SetLine,
    SetDLine,
    SetPoint,
    SetColor,
    SetColorTo,
    SetWidth,
    SetSize,
    SetJustify,
    SetFont,
    SetShow,
    SetPos2,
    SetPos2To,
    SetPos3,
    SetPos3To
};

// The nineteen words in registration order; the "Set" words name a mark first.
struct Command {
    const char* name;
    Word word;
};
const Command commands[] = {
    {"Show", Word::Show},
    {"ShowTog", Word::ShowTog},
    {"Clear", Word::Clear},
    {"Add", Word::Add},
    {"SetText", Word::SetText},
    {"SetLine", Word::SetLine},
    {"SetDLine", Word::SetDLine},
    {"SetPoint", Word::SetPoint},
    {"SetColor", Word::SetColor},
    {"SetColorTo", Word::SetColorTo},
    {"SetWidth", Word::SetWidth},
    {"SetSize", Word::SetSize},
    {"SetJustify", Word::SetJustify},
    {"SetFont", Word::SetFont},
    {"SetShow", Word::SetShow},
    {"SetPos2", Word::SetPos2},
    {"SetPos2To", Word::SetPos2To},
    {"SetPos3", Word::SetPos3},
    {"SetPos3To", Word::SetPos3To},
};
static_assert(sizeof commands / sizeof commands[0] == 19, "19 command words");

// A number that is no finite number (nan, inf, 1e999) reads as 0, like any
// other non-number: positions reach the view and the camera's look targets.
double real(CommandArgs& args) {
    double value = 0.0;
    args.readDouble(value);
    return std::isfinite(value) ? value : 0.0;
}

int integer(CommandArgs& args) {
    int value = 0;
    args.readInt(value);
    return value;
}

// The text of SetText: the rest of the command, blanks kept. An empty text
// ends at the command's own ";" and leaves the next command alone.
std::string restOfCommand(CommandArgs& args) {
    const std::string& text = args.getText();
    std::size_t pos = args.getPos();
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t'))
        ++pos;
    if (pos >= text.size() || text[pos] == ';' || text[pos] == '\r' || text[pos] == '\n') {
        args.setPos(pos);
        return {};
    }
    return args.readRest();
}

// Anchor codes 1 (bottom-left) to 9 (top-right); any other is the default.
int anchorCode(int code) {
    return code >= 1 && code <= 9 ? code : 1;
}

} // namespace

Markers::Markers(Main* owner) : Base("Markers", owner), owner(owner) {
    if (!owner)
        return;
    for (const Command& c : commands)
        owner->interp.addCommand(getName(), c.name, false);
}

Markers::~Markers() {
    clear();
}

MarkerItem* Markers::find(const std::string& name) const {
    for (const auto& item : items)
        if (item->name == name)
            return item.get();
    return nullptr;
}

MarkerItem& Markers::add(const std::string& name) {
    MarkerItem* item = find(name);
    if (!item) {
        items.push_back(std::make_unique<MarkerItem>());
        item = items.back().get();
        item->name = name;
        item->font = std::make_unique<LabelFont>();
    }
    item->text = name;
    item->kind = MarkerItem::Text;
    item->inWorld = 1;
    item->visible = 0;
    item->color.set(1.0, 1.0, 1.0, 1.0);
    item->pointSize = 1.0;
    item->lineWidth = 2.0;
    item->listStale = true;
    return *item;
}

void Markers::clear() {
    for (const auto& item : items)
        if (item->displayList != 0)
            glDeleteLists(item->displayList, 1);
    items.clear();
}

bool Markers::hasPos3(const std::string& name) const {
    const MarkerItem* item = find(name);
    return item && item->inWorld == 1;
}

Vector3 Markers::getPos3(const std::string& name) const {
    const MarkerItem* item = find(name);
    return item && item->inWorld == 1 ? item->position.getValue() : Vector3();
}

Vector3 Markers::objectPosition(const std::string& name) const {
    if (ssystem && ssystem->isBodyShown(name))
        return ssystem->getTransByName(name);
    return getPos3(name);
}

int Markers::execute() {
    if (!owner)
        return 0;
    const Command* command = findCommandWord(commands, owner->interp.commandWord);
    if (!command)
        return 0;
    CommandArgs& args = owner->interp.args;
    switch (command->word) {
    case Word::Show:
        show = integer(args) != 0;
        return 1;
    case Word::ShowTog:
        show = !show;
        return 1;
    case Word::Clear:
        clear();
        return 1;
    case Word::Add:
        add(args.readWord());
        return 1;
    default:
        break;
    }

    MarkerItem* item = find(args.readWord());
    if (!item)
        return 0;
    MarkerItem& m = *item;
    switch (command->word) {
    case Word::SetText:
        m.text = restOfCommand(args);
        m.kind = MarkerItem::Text;
        m.listStale = true;
        break;
    case Word::SetLine: {
        // The ends as they are now; the line does not follow them.
        const std::string from = args.readWord();
        const std::string to = args.readWord();
        m.position.setIfIdle(objectPosition(from));
        m.endPosition.setIfIdle(objectPosition(to));
        m.kind = MarkerItem::Line;
        m.inWorld = 1;
        break;
    }
    case Word::SetDLine:
        args.readWord(m.fromName).readWord(m.toName);
        m.kind = MarkerItem::DynamicLine;
        m.inWorld = 1;
        break;
    case Word::SetPoint:
        m.pointSize = real(args);
        m.kind = MarkerItem::Point;
        m.inWorld = 1;
        break;
    case Word::SetColor:
    case Word::SetColorTo: {
        double rgba[4];
        for (double& c : rgba)
            c = real(args);
        if (command->word == Word::SetColor)
            m.color.set(rgba);
        else
            m.color.startTo(rgba, integer(args));
        break;
    }
    case Word::SetWidth:
        m.lineWidth = real(args);
        break;
    case Word::SetSize:
        m.pointSize = real(args);
        break;
    case Word::SetJustify:
        m.font->setAlign(anchorCode(integer(args)));
        m.listStale = true;
        break;
    case Word::SetFont: {
        std::string family;
        float size = 0.0f;
        int style = 0;
        args.readWord(family).readFloat(size).readInt(style);
        m.font->setFont(family, size, style, 0);
        m.listStale = true;
        break;
    }
    case Word::SetShow:
        m.visible = integer(args);
        break;
    case Word::SetPos2:
    case Word::SetPos2To: {
        const double x = real(args);
        const double y = real(args);
        m.inWorld = 0;
        if (command->word == Word::SetPos2)
            m.position.set(Vector3(x, y, 0.0));
        else
            m.position.startTo(Vector3(x, y, 0.0), integer(args));
        break;
    }
    case Word::SetPos3:
    case Word::SetPos3To: {
        const double x = real(args);
        const double y = real(args);
        const double z = real(args);
        m.inWorld = 1;
        if (command->word == Word::SetPos3)
            m.position.set(Vector3(x, y, z));
        else
            m.position.startTo(Vector3(x, y, z), integer(args));
        break;
    }
    default:
        break;
    }
    return 1;
}

std::string Markers::getValue() {
    if (owner && owner->interp.commandWord == "Show")
        return CommandArgs::formatInt(show);
    return "Undefined";
}

std::string Markers::saveStates() {
    CommandArgs text;
    text.beginCommand(getName(), "Clear");
    text.beginCommand(getName(), "Show").appendInt(show);
    return text.getText();
}
