#pragma once

// What the fuzz targets of the planner share: the input read as the
// commands a front end sends (the format at the top of
// PlannerActionsFuzzer.cpp) and the check that a plan is consistent.

#include "Catalogue.h"
#include "Colours.h"
#include "Commands.h"
#include "Planner.h"
#include "ShownValues.h"
#include "Utf8.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

namespace rollwerk::fuzz {

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

[[noreturn]] inline void Violated(const char *what, int skill = 0)
{
    if (skill > 0)
        std::fprintf(stderr, "plan inconsistent: skill %d: %s\n", skill, what);
    else
        std::fprintf(stderr, "plan inconsistent: %s\n", what);
    __builtin_trap();
}

inline void CheckPlan(const Planner &p)
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

// A command on one of the planner's fields: a target byte (0 the class box,
// 1 the level field, 2..29 the skills), a kind byte and its operands.
inline Command FieldCommand(const Planner &p, Reader &in)
{
    std::size_t start = 0;
    std::size_t selected = 0;
    const int target = in.Byte() % (kSkillCount + 2);
    if (target == 0) {
        const std::size_t length = CharCount(p.CBCharwahl.Text());
        switch (in.Byte() % 6) {
        case 0:
            return command::ClassPick{static_cast<std::size_t>(in.Byte() % kClassCount)};
        case 1:
            in.Selection(length, start, selected);
            return command::ClassType{start, selected, in.Character()};
        case 2:
            in.Selection(length, start, selected);
            return command::ClassBackspace{start, selected};
        case 3:
            return command::ClassStep{-1};
        case 4:
            return command::ClassStep{1};
        default:
            return command::ClassEdit{in.Text()};
        }
    }
    const int field = target - 1;
    const std::size_t length = CharCount(field == kLevelField ? p.SpEStufeH.Text() : p.SpEFert[field].Text());
    switch (in.Byte() % 6) {
    case 0: {
        in.Selection(length, start, selected);
        const char32_t character = in.Character();
        return command::Type{field, start, selected, character, U','};
    }
    case 1: {
        in.Selection(length, start, selected);
        return command::Paste{field, start, selected, in.Text()};
    }
    case 2:
        return command::Edit{field, in.Text()};
    case 3:
        return command::Step{field, 1, false};
    case 4:
        return command::Step{field, -1, false};
    default:
        return command::Leave{field};
    }
}

} // namespace rollwerk::fuzz
