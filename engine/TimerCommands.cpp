// The command words of Timer: registration, execution, value texts and the
// saved state.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>

#include "engine/CommandArgs.h"
#include "engine/Main.h"
#include "engine/Timer.h"
#include "platform/Calendar.h"

namespace {

// In registration order, which is also the order of the listings.
enum class Word {
    Time,
    TimeText,
    TimeTextLoc,
    TimeYear, // TimeYear .. TimeSecond: one UTC field each
    TimeMonth,
    TimeDay,
    TimeHour,
    TimeMinute,
    TimeSecond,
    TimeYearLoc, // TimeYearLoc .. TimeSecondLoc: one field of the mode each
    TimeMonthLoc,
    TimeDayLoc,
    TimeHourLoc,
    TimeMinuteLoc,
    TimeSecondLoc,
    Offset,
    Mode,
    Speed,
    Step,
    Realtime,
    TimeTo,
    TimeTextTo,
    TimeTextLocTo,
    RefTime,
    RefTimeText,
    RefTimeTextLoc,
    RefTimeTo,
    RefTimeTextTo,
    RefTimeTextLocTo,
    ModePrev,
    ModeNext,
    Forward,
    AccelForward,
    Backward,
    AccelBackward,
    Stop,
    RefSpeed,
    SetNow,
    StepPrev,
    StepNext,
    RealtimeTog,
    Count
};

struct Command {
    const char* word;
    bool hidden;
};

constexpr Command commands[] = {
    {"Time", false},
    {"TimeText", false},
    {"TimeTextLoc", false},
    {"TimeYear", false},
    {"TimeMonth", false},
    {"TimeDay", false},
    {"TimeHour", false},
    {"TimeMinute", false},
    {"TimeSecond", false},
    {"TimeYearLoc", false},
    {"TimeMonthLoc", false},
    {"TimeDayLoc", false},
    {"TimeHourLoc", false},
    {"TimeMinuteLoc", false},
    {"TimeSecondLoc", false},
    {"Offset", true},
    {"Mode", false},
    {"Speed", false},
    {"Step", false},
    {"Realtime", true},
    {"TimeTo", false},
    {"TimeTextTo", false},
    {"TimeTextLocTo", false},
    {"RefTime", false},
    {"RefTimeText", false},
    {"RefTimeTextLoc", true},
    {"RefTimeTo", false},
    {"RefTimeTextTo", false},
    {"RefTimeTextLocTo", true},
    {"ModePrev", false},
    {"ModeNext", false},
    {"Forward", false},
    {"AccelForward", false},
    {"Backward", false},
    {"AccelBackward", false},
    {"Stop", false},
    {"RefSpeed", false},
    {"SetNow", false},
    {"StepPrev", false},
    {"StepNext", false},
    {"RealtimeTog", true},
};
static_assert(std::size(commands) == static_cast<std::size_t>(Word::Count));

bool findWord(const std::string& text, Word& word) {
    for (std::size_t i = 0; i < std::size(commands); ++i) {
        if (text == commands[i].word) {
            word = static_cast<Word>(i);
            return true;
        }
    }
    return false;
}

// Position of a field command's field in the six, counted from `first`.
int fieldIndex(Word word, Word first) {
    return static_cast<int>(word) - static_cast<int>(first);
}

bool isBetween(Word word, Word first, Word last) {
    return word >= first && word <= last;
}

// " %f", whatever the user's locale.
std::string formatFixed(double value) {
    char buffer[400];
    buffer[0] = ' ';
    const char* end =
        std::to_chars(buffer + 1, buffer + sizeof buffer, value, std::chars_format::fixed, 6).ptr;
    return std::string(static_cast<const char*>(buffer), end);
}

std::string formatFields(const Timer::Fields& f) {
    char buffer[96];
    std::snprintf(buffer, sizeof buffer, " %i %i %i %i %i %i", f[0], f[1], f[2], f[3], f[4], f[5]);
    return buffer;
}

Timer::Fields firstSix(const std::array<int, 7>& values) {
    return {values[0], values[1], values[2], values[3], values[4], values[5]};
}

// The fields plus the differences; sums beyond the int range stop at its ends.
Timer::Fields addFields(const Timer::Fields& fields, const std::array<int, 7>& differences) {
    Timer::Fields sum;
    for (std::size_t i = 0; i < sum.size(); ++i) {
        const std::int64_t s = static_cast<std::int64_t>(fields[i]) + differences[i];
        sum[i] = static_cast<int>(std::clamp<std::int64_t>(s, std::numeric_limits<int>::min(),
                                                           std::numeric_limits<int>::max()));
    }
    return sum;
}

} // namespace

Timer::Timer(Main* owner) : Base("Timer", owner), owner(owner) {
    if (owner) {
        for (const Command& c : commands)
            owner->interp.addCommand(getName(), c.word, c.hidden);
    }
    platform::refreshTimeZone();
    clock.setOffset(static_cast<double>(platform::standardUtcOffset()));
    setNow();
}

std::array<int, 7> Timer::readTimeText() {
    CommandArgs text(owner->interp.args.readRest());
    std::array<int, 7> values{};
    for (int& v : values)
        text.readInt(v);
    return values;
}

int Timer::execute() {
    Word word;
    if (!owner || !findWord(owner->interp.commandWord, word))
        return 0;
    CommandArgs& args = owner->interp.args;

    // One calendar field replaced, the others kept: UTC, or the mode's fields.
    const bool utcField = isBetween(word, Word::TimeYear, Word::TimeSecond);
    if (utcField || isBetween(word, Word::TimeYearLoc, Word::TimeSecondLoc)) {
        int value = 0;
        args.readInt(value);
        Fields f = utcField ? utcFields() : modeFields();
        f[fieldIndex(word, utcField ? Word::TimeYear : Word::TimeYearLoc)] = value;
        setFields(f, !utcField);
        return 1;
    }

    switch (word) {
    case Word::Time: {
        double t = 0.0;
        args.readDouble(t);
        jumpTo(t);
        break;
    }
    case Word::TimeText:
    case Word::TimeTextLoc:
        setFields(firstSix(readTimeText()), word == Word::TimeTextLoc);
        break;
    case Word::Offset: {
        // The offset follows the system's time zone; the argument is only consumed.
        double ignored = 0.0;
        args.readDouble(ignored);
        break;
    }
    case Word::Mode: {
        const std::string name = args.readWord();
        if (name == "Local")
            mode = Local;
        else if (name == "UTC")
            mode = Utc;
        break;
    }
    case Word::Speed: {
        double value = 0.0;
        args.readDouble(value);
        setSpeed(value);
        break;
    }
    case Word::Step: {
        double value = 0.0;
        args.readDouble(value);
        if (!std::isnan(value))
            step = value;
        break;
    }
    case Word::Realtime: {
        int on = 0;
        args.readInt(on);
        realtime = on != 0;
        animating = 0;
        break;
    }
    case Word::TimeTo: {
        double t = 0.0;
        int frames = 0;
        args.readDouble(t).readInt(frames);
        animateTo(t, frames, [&] { jumpTo(t); });
        break;
    }
    case Word::TimeTextTo:
    case Word::TimeTextLocTo: {
        const std::array<int, 7> text = readTimeText();
        const Fields f = firstSix(text);
        const bool inMode = word == Word::TimeTextLocTo;
        animateTo(timeOfFields(f, inMode), text[6], [&] { setFields(f, inMode); });
        break;
    }
    case Word::RefTime: {
        int seconds = 0;
        args.readInt(seconds);
        jumpTo(clock.get() + seconds);
        break;
    }
    // The Loc forms of the relative texts work on UTC fields as well.
    case Word::RefTimeText:
    case Word::RefTimeTextLoc:
        setFields(addFields(utcFields(), readTimeText()), false);
        break;
    case Word::RefTimeTo: {
        int seconds = 0;
        int frames = 0;
        args.readInt(seconds).readInt(frames);
        const double target = clock.get() + seconds;
        animateTo(target, frames, [&] { jumpTo(target); });
        break;
    }
    case Word::RefTimeTextTo:
    case Word::RefTimeTextLocTo: {
        const std::array<int, 7> text = readTimeText();
        const Fields f = addFields(utcFields(), text);
        animateTo(timeOfFields(f, false), text[6], [&] { setFields(f, false); });
        break;
    }
    case Word::ModePrev:
        mode = mode == Local ? Utc : Local;
        break;
    case Word::ModeNext:
        mode = mode == Utc ? Local : Utc;
        break;
    case Word::Forward:
        setSpeed(speed + 1);
        animating = 0;
        break;
    case Word::AccelForward:
        setSpeed(speed == 0 ? 1.0 : speed > 0 ? speed * 2 : speed * 0.5);
        animating = 0;
        break;
    case Word::Backward:
        setSpeed(speed - 1);
        animating = 0;
        break;
    case Word::AccelBackward:
        setSpeed(speed == 0 ? -1.0 : speed < 0 ? speed * 2 : speed * 0.5);
        animating = 0;
        break;
    case Word::Stop:
        setSpeed(0.0);
        animating = 0;
        break;
    case Word::RefSpeed: {
        int value = 0;
        args.readInt(value);
        setSpeed(speed + value);
        break;
    }
    case Word::SetNow:
        setNow();
        break;
    case Word::StepPrev:
        step = stepBelow(step);
        break;
    case Word::StepNext:
        step = stepAbove(step);
        break;
    case Word::RealtimeTog:
        realtime = !realtime;
        animating = 0;
        break;
    default:
        break;
    }
    return 1;
}

std::string Timer::getValue() {
    Word word;
    if (!owner || !findWord(owner->interp.commandWord, word))
        return "Undefined";
    if (isBetween(word, Word::TimeYear, Word::TimeSecond))
        return CommandArgs::formatInt(utcFields()[fieldIndex(word, Word::TimeYear)]);
    if (isBetween(word, Word::TimeYearLoc, Word::TimeSecondLoc))
        return CommandArgs::formatInt(modeFields()[fieldIndex(word, Word::TimeYearLoc)]);
    switch (word) {
    case Word::Time:
        return formatFixed(clock.get());
    case Word::TimeText:
        return formatFields(utcFields());
    case Word::TimeTextLoc:
        return formatFields(modeFields());
    case Word::Offset:
        return formatFixed(clock.getOffset());
    case Word::Mode:
        return mode == Local ? " Local" : " UTC";
    case Word::Speed:
        return CommandArgs::formatReal(speed);
    case Word::Step:
        return CommandArgs::formatReal(step);
    case Word::Realtime:
        return CommandArgs::formatInt(realtime);
    default:
        return "Undefined";
    }
}

std::string Timer::saveStates() {
    CommandArgs lines;
    lines.beginCommand(getName(), "Speed").appendExactDouble(speed);
    lines.beginCommand(getName(), "Step").appendExactDouble(step);
    lines.beginCommand(getName(), "Mode").appendWord(mode == Local ? "Local" : "UTC");
    lines.beginCommand(getName(), "TimeText").append(formatFields(utcFields()));
    return lines.getText();
}
