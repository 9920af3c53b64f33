#pragma once

// A user who acts at random on every field of the planner: types, pastes,
// deletes, steps, leaves fields and picks or types classes, each action the
// command a front end sends. Seeded, so that a failure can be replayed.

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

    // The next action for the plan the planner shows, as the command a front end would send.
    Command Next(const Planner &p)
    {
        const int kind = Pick(0, 99);
        Command command;
        if (kind < 8)
            command = ClassBoxCommand(p.CBCharwahl.Text());
        else if (kind < 30)
            command = FieldCommand(kLevelField, p.SpEStufeH.Text());
        else {
            const int s = RandomSkill(p);
            command = FieldCommand(s, p.SpEFert[s].Text());
        }
        last_ = DescribeCommand(command);
        return command;
    }

    // Runs the next action on the planner.
    void Act(PlannerDriver &d)
    {
        CommandReply reply;
        RunFieldCommand(d.planner, Next(d.planner), reply);
    }

    // A whole number in low..high, the user's next choice. Not
    // std::uniform_int_distribution: its algorithm differs between standard
    // libraries, and the native and the WebAssembly build must act alike from
    // the same seed. The engine's output is the same everywhere.
    int Pick(int low, int high)
    {
        return low + static_cast<int>(random_() % static_cast<std::uint32_t>(high - low + 1));
    }

private:
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

    Command FieldCommand(int field, const std::string &text)
    {
        std::size_t start = 0;
        std::size_t selected = 0;
        Selection(CharCount(text), start, selected);
        switch (Pick(0, 6)) {
        case 0:
        case 1:
            return command::Type{field, start, selected, Character(), U','};
        case 2:
            return command::Step{field, 1, false};
        case 3:
            return command::Step{field, -1, false};
        case 4:
            return command::Leave{field};
        case 5:
            return command::Paste{field, start, selected, Text(5)};
        default: {
            const auto [before, after] = SplitAround(text, start, selected == 0 && start > 0 ? 0 : selected);
            return command::Edit{field, std::string(before) + std::string(after)};
        }
        }
    }

    Command ClassBoxCommand(const std::string &text)
    {
        std::size_t start = 0;
        std::size_t selected = 0;
        Selection(CharCount(text), start, selected);
        switch (Pick(0, 5)) {
        case 0:
            return command::ClassPick{static_cast<std::size_t>(Pick(0, kClassCount - 1))};
        case 1:
        case 2:
            return command::ClassType{start, selected, Character()};
        case 3:
            return command::ClassBackspace{start, selected};
        case 4:
            return command::ClassStep{Pick(0, 1) == 0 ? -1 : 1};
        default:
            return command::ClassEdit{Text(12)};
        }
    }

    std::mt19937 random_;
    std::string last_;
};

} // namespace rollwerk::testing
