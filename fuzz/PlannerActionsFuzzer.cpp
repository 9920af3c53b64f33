// Reads the input as a sequence of user actions on the planner's fields and
// checks after each one that the plan is consistent and that the counters and
// the bonus list describe the values the fields show, the way the random-action
// test does, but with libFuzzer choosing the actions.
//
// Input format, one action after another (missing bytes read as 0):
//   target  byte % 30: 0 the class box, 1 the level field, 2..29 skill 1..28
//   kind    byte, taken modulo the number of actions of the target
//   operands as the action needs them:
//     selection  two bytes: start % (length + 1), then length % (rest + 1)
//     character  byte < 0x80: that character; else three bytes give a code
//                point modulo U+110000 (surrogates become U+FFFD)
//     text       byte % 16 characters
// Class box kinds: 0 pick (byte % 6), 1 type (selection, character),
//   2 Backspace (selection), 3 Up, 4 Down, 5 edit (text).
// Field kinds: 0 type (selection, character), 1 paste (selection, text),
//   2 edit (text), 3 step up, 4 step down, 5 leave.

#include "Catalogue.h"
#include "Colours.h"
#include "Planner.h"
#include "ShownValues.h"
#include "Utf8.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

namespace {

using namespace rollwerk;

// Observed nesting stays far below this; a runaway cascade must not pass.
constexpr int kNestingStated = 40;

class Reader {
public:
    Reader(const std::uint8_t *data, std::size_t size) : data_(data), size_(size) { }

    bool AtEnd() const { return pos_ >= size_; }
    std::uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }

    void Selection(std::size_t length, std::size_t &start, std::size_t &selected)
    {
        start = Byte() % (length + 1);
        selected = Byte() % (length - start + 1);
    }

    char32_t Character()
    {
        const std::uint8_t first = Byte();
        if (first < 0x80)
            return first;
        std::uint32_t code = static_cast<std::uint32_t>(first & 0x7F) << 16;
        code |= static_cast<std::uint32_t>(Byte()) << 8;
        code |= Byte();
        code %= 0x110000;
        // The window hands over whole characters only, never a lone surrogate.
        if (code >= 0xD800 && code <= 0xDFFF)
            code = 0xFFFD;
        return code;
    }

    std::string Text()
    {
        std::string text;
        for (int n = Byte() % 16; n > 0; --n)
            text += EncodeUtf8(Character());
        return text;
    }

private:
    const std::uint8_t *data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

[[noreturn]] void Violated(const char *what, int skill = 0)
{
    if (skill > 0)
        std::fprintf(stderr, "plan inconsistent: skill %d: %s\n", skill, what);
    else
        std::fprintf(stderr, "plan inconsistent: %s\n", what);
    __builtin_trap();
}

void CheckPlan(const Planner &p)
{
    if (p.Counts().maxDepth > kNestingStated)
        Violated("nesting deeper than stated");
    const std::optional<int> column = ClassColumn(p.CBCharwahl.Text());
    if (!column)
        Violated("class box names no class");
    const std::int32_t level = p.SpEStufeH.Value();
    if (level < kMinLevel || level > kMaxLevel)
        Violated("level out of range");
    if (CharCount(p.SpEStufeH.Text()) > NumberField::kMaxLength)
        Violated("level text too long");
    for (int s = 1; s <= kSkillCount; ++s) {
        const NumberField &f = p.SpEFert[s];
        const int unlock = UnlockLevel(s, *column);
        if (f.Enabled() != f.CaptionEnabled())
            Violated("field and caption differ", s);
        if (f.Colour() != (f.Enabled() ? kAvailableColour : kLockedColour))
            Violated("colour", s);
        if (f.Maximum() != level)
            Violated("maximum is not the level", s);
        if (f.Minimum() != 0 && !(f.Minimum() == 1 && unlock == 0))
            Violated("minimum", s);
        if (f.Enabled() && level < unlock)
            Violated("enabled below its unlock level", s);
        if (CharCount(f.Text()) > NumberField::kMaxLength)
            Violated("text too long", s);
    }
    if (const char *view = MismatchWithShownValues(p))
        Violated(view);
}

void ActOnClassBox(ClassBox &box, Reader &in)
{
    std::size_t start = 0;
    std::size_t selected = 0;
    switch (in.Byte() % 6) {
    case 0:
        box.Pick(in.Byte() % kClassCount);
        break;
    case 1: {
        in.Selection(CharCount(box.Text()), start, selected);
        box.TypeCharacter(start, selected, in.Character());
        break;
    }
    case 2:
        in.Selection(CharCount(box.Text()), start, selected);
        box.Backspace(start, selected);
        break;
    case 3:
        box.SelectAdjacent(-1);
        break;
    case 4:
        box.SelectAdjacent(1);
        break;
    default:
        box.EditText(in.Text());
        break;
    }
}

void ActOnField(NumberField &field, Reader &in)
{
    std::size_t start = 0;
    std::size_t selected = 0;
    switch (in.Byte() % 6) {
    case 0: {
        in.Selection(CharCount(field.Text()), start, selected);
        field.TypeCharacter(start, selected, in.Character(), U',');
        break;
    }
    case 1: {
        in.Selection(CharCount(field.Text()), start, selected);
        field.Paste(start, selected, in.Text());
        break;
    }
    case 2:
        field.EditText(in.Text());
        break;
    case 3:
        field.StepUp();
        break;
    case 4:
        field.StepDown();
        break;
    default:
        field.FocusLost();
        break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    Planner planner;
    planner.FormCreate();
    CheckPlan(planner);
    Reader in(data, size);
    while (!in.AtEnd()) {
        planner.ResetCounts();
        const int target = in.Byte() % (kSkillCount + 2);
        if (target == 0)
            ActOnClassBox(planner.CBCharwahl, in);
        else if (target == 1)
            ActOnField(planner.SpEStufeH, in);
        else
            ActOnField(planner.SpEFert[target - 1], in);
        CheckPlan(planner);
    }
    return 0;
}
