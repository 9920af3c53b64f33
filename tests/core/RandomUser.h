#pragma once

// A user who acts at random on every field of the planner: types, pastes,
// deletes, steps, leaves fields and picks or types classes. Seeded, so that
// a failure can be replayed.

#include "PlannerDriver.h"

#include <cstdlib>
#include <random>
#include <string>

namespace rollwerk::testing {

// The seed of a random test: ROLLWERK_RANDOM_SEED when set, to replay or vary a run.
inline std::uint32_t RandomSeed(std::uint32_t fixed)
{
    const char *text = std::getenv("ROLLWERK_RANDOM_SEED");
    return text ? static_cast<std::uint32_t>(std::strtoul(text, nullptr, 10)) : fixed;
}

class RandomUser {
public:
    explicit RandomUser(std::uint32_t seed) : random_(seed) { }

    std::string Describe() const { return last_; }

    void Act(PlannerDriver &d)
    {
        const int kind = Pick(0, 99);
        if (kind < 8)
            ActOnClassBox(d.planner.CBCharwahl);
        else if (kind < 30)
            ActOnField(d.Field(kLevelField), "level");
        else
            ActOnField(d.Field(RandomSkill(d.planner)), "skill");
    }

private:
    // Not std::uniform_int_distribution: its algorithm differs between
    // standard libraries, and the native and the WebAssembly build must act
    // alike from the same seed. The engine's output is the same everywhere.
    int Pick(int low, int high)
    {
        return low + static_cast<int>(random_() % static_cast<std::uint32_t>(high - low + 1));
    }

    // Mostly characters a player types, sometimes any character up to U+00FF.
    char32_t Character()
    {
        static constexpr std::string_view kCommon = "0123456789+-,.1122005xGgSsWwDdKkVvae";
        if (Pick(0, 9) == 0)
            return static_cast<char32_t>(Pick(0, 0xFF));
        return static_cast<char32_t>(kCommon[static_cast<std::size_t>(Pick(0, static_cast<int>(kCommon.size()) - 1))]);
    }

    std::string Text(int maxLength)
    {
        std::string text;
        for (int i = Pick(0, maxLength); i > 0; --i)
            text += EncodeUtf8(Character());
        return text;
    }

    // Enabled fields get most of the actions: locked ones ignore the user.
    int RandomSkill(const Planner &p)
    {
        for (int attempt = 0; attempt < 3; ++attempt) {
            const int s = Pick(1, kSkillCount);
            if (p.SpEFert[s].Enabled())
                return s;
        }
        return Pick(1, kSkillCount);
    }

    void Selection(std::size_t length, std::size_t &start, std::size_t &selected)
    {
        start = static_cast<std::size_t>(Pick(0, static_cast<int>(length)));
        selected = static_cast<std::size_t>(Pick(0, static_cast<int>(length - start)));
    }

    void ActOnField(NumberField &field, const char *name)
    {
        std::size_t start = 0;
        std::size_t selected = 0;
        Selection(CharCount(field.Text()), start, selected);
        switch (Pick(0, 6)) {
        case 0:
        case 1: {
            const char32_t ch = Character();
            last_ = std::string("type U+") + std::to_string(ch) + " into " + name;
            field.TypeCharacter(start, selected, ch, U',');
            break;
        }
        case 2:
            last_ = std::string("Up in ") + name;
            field.StepUp();
            break;
        case 3:
            last_ = std::string("Down in ") + name;
            field.StepDown();
            break;
        case 4:
            last_ = std::string("leave ") + name;
            field.FocusLost();
            break;
        case 5: {
            const std::string pasted = Text(5);
            last_ = std::string("paste '") + pasted + "' into " + name;
            field.Paste(start, selected, pasted);
            break;
        }
        default: {
            const auto [before, after] = SplitAround(field.Text(), start, selected == 0 && start > 0 ? 0 : selected);
            last_ = std::string("delete in ") + name;
            field.EditText(std::string(before) + std::string(after));
            break;
        }
        }
    }

    void ActOnClassBox(ClassBox &box)
    {
        std::size_t start = 0;
        std::size_t selected = 0;
        Selection(CharCount(box.Text()), start, selected);
        switch (Pick(0, 5)) {
        case 0:
            last_ = "pick a class";
            box.Pick(static_cast<std::size_t>(Pick(0, kClassCount - 1)));
            break;
        case 1:
        case 2:
            last_ = "type into the class box";
            box.TypeCharacter(start, selected, Character());
            break;
        case 3:
            last_ = "Backspace in the class box";
            box.Backspace(start, selected);
            break;
        case 4:
            last_ = "Up or Down in the class box";
            box.SelectAdjacent(Pick(0, 1) == 0 ? -1 : 1);
            break;
        default:
            last_ = "paste into the class box";
            box.EditText(Text(12));
            break;
        }
    }

    std::mt19937 random_;
    std::string last_;
};

} // namespace rollwerk::testing
