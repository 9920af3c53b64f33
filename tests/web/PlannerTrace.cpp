// Prints the plan after every action of random action sequences, so that two
// builds of the core (native and WebAssembly) can be compared byte for byte.
//
//   rollwerk_planner_trace SEED FIRST COUNT ACTIONS [full]
//
// Sequence i (FIRST <= i < FIRST + COUNT) starts from a new planner and runs
// ACTIONS actions of a random user seeded with SEED + i. Without "full" one
// line per sequence carries a hash of its whole trace; with "full" the trace
// itself is printed. Every 16th sequence then asks the optimiser a random
// goal, whose search the page's build runs four cells at a time.

#include "RandomUser.h"
#include "rules/RandomGoal.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace rollwerk;
using namespace rollwerk::testing;

void Append(std::string &out, const char *name, const FieldState &f)
{
    out += name;
    out += " '" + f.text + "' " + std::to_string(f.minimum) + ".." + std::to_string(f.maximum);
    out += f.enabled ? " on" : " off";
    out += " rgb " + std::to_string(f.colour.red) + "," + std::to_string(f.colour.green) + ","
        + std::to_string(f.colour.blue);
    out += f.captionEnabled ? " caption on\n" : " caption off\n";
}

template <typename T> void Append(std::string &out, const char *name, const SkillArray<T> &values)
{
    out += name;
    for (const T &v : values.items)
        out += " " + std::to_string(v);
    out += "\n";
}

// Every field, label, list line and planner array, and how the procedures ran.
void AppendState(std::string &out, const Planner &p)
{
    const PlannerState s = p.CaptureState();
    out += "class '" + s.classText + "' last '" + s.lastClass + "'\n";
    Append(out, "level", s.level);
    for (int skill = 1; skill <= kSkillCount; ++skill)
        Append(out, ("skill " + std::to_string(skill)).c_str(), s.skills[skill]);
    out += "free '" + s.freePointsText + "' slots '" + s.freeSlotsText + "'\n";
    for (const std::string &line : s.bonuses->lines)
        out += "bonus '" + line + "'\n";
    Append(out, "values", s.skillValue);
    Append(out, "previous", s.previousValues);
    Append(out, "delta", s.editDelta);
    const Planner::RunCounts &c = p.Counts();
    out += "runs " + std::to_string(c.classChanges) + " " + std::to_string(c.skillChanges) + " depth "
        + std::to_string(c.maxDepth) + " stopped " + std::to_string(c.repeatsStopped) + "\n";
}

void AppendAnswer(std::string &out, const GoalAnswer &a)
{
    out += a.found ? "goal found\n" : "goal not found: " + a.reason + "\n";
    Append(out, "answer", a.skills);
    out += "objective " + std::to_string(a.objective) + " now " + std::to_string(a.currentObjective) + " free "
        + std::to_string(a.freePoints) + " slots " + std::to_string(a.freeSlots) + "\n";
    for (const std::vector<LastPoint> *points : {&a.lastPoints, &a.currentLastPoints}) {
        for (const LastPoint &p : *points) {
            out += "last point " + std::to_string(p.skill) + " " + std::to_string(p.value) + " "
                + std::to_string(p.objective);
            for (const RowChange &r : p.rows)
                out += " row " + std::to_string(r.row) + " " + std::to_string(r.before) + "→" + std::to_string(r.after);
            out += "\n";
        }
    }
}

// FNV-1a, 64 bits: the same on every platform, unlike std::hash.
std::uint64_t Hash(std::uint64_t hash, const std::string &text)
{
    for (const unsigned char ch : text)
        hash = (hash ^ ch) * 0x100000001b3ULL;
    return hash;
}

unsigned long Argument(char **argv, int index)
{
    return std::strtoul(argv[index], nullptr, 10);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 5) {
        std::fputs("usage: rollwerk_planner_trace SEED FIRST COUNT ACTIONS [full]\n", stderr);
        return 2;
    }
    const auto seed = static_cast<std::uint32_t>(Argument(argv, 1));
    const unsigned long first = Argument(argv, 2);
    const unsigned long count = Argument(argv, 3);
    const unsigned long actions = Argument(argv, 4);
    const bool full = argc > 5 && std::string(argv[5]) == "full";
    std::string text;
    for (unsigned long sequence = first; sequence < first + count; ++sequence) {
        RandomUser user(static_cast<std::uint32_t>(seed + sequence));
        PlannerDriver driver;
        std::uint64_t hash = 0xcbf29ce484222325ULL;
        text = "sequence " + std::to_string(sequence) + " start\n";
        AppendState(text, driver.planner);
        for (unsigned long action = 0; action < actions; ++action) {
            if (full)
                std::fputs(text.c_str(), stdout);
            hash = Hash(hash, text);
            driver.planner.ResetCounts();
            user.Act(driver);
            text = "sequence " + std::to_string(sequence) + " action " + std::to_string(action) + ": " + user.Describe()
                + "\n";
            AppendState(text, driver.planner);
        }
        if (sequence % 16 == 0) {
            std::mt19937 random(static_cast<std::uint32_t>(seed + sequence));
            const int classColumn = testing::Uniform(random, 0, kClassCount - 1);
            AppendAnswer(
                text, Optimise(testing::RandomGoal(random, classColumn, testing::Uniform(random, 1, kMaxLevel))));
        }
        hash = Hash(hash, text);
        if (full)
            std::fputs(text.c_str(), stdout);
        else
            std::printf("%lu %016llx\n", sequence, static_cast<unsigned long long>(hash));
    }
    return 0;
}
