#include "Catalogue.h"

#include <algorithm>

namespace rollwerk {

namespace {

struct SkillEntry {
    std::string_view caption;
    // Unlock levels in class order: Gladiator, Seraphim, Waldelfin,
    // Dunkelelf, Kampfmagier, Vampirin.
    std::array<int, kClassCount> unlock;
};

constexpr int N = kNever;

// clang-format off
constexpr std::array<SkillEntry, kSkillCount> kSkills = {{
    {"Waffenkunde",      {0, 0, 0, 0, 3, 0}},
    {"Magiekunde",       {N, 0, 3, N, 0, N}},
    {"Faustkampf",       {3, N, N, 6, N, N}},
    {"Zwei-Waffenkampf", {3, 6, N, 3, N, N}},
    {"Schwertkunde",     {3, 3, 12, 20, 3, 3}},
    {"Axtkampf",         {3, N, N, N, N, 3}},
    {"Klingenwaffen",    {N, N, N, 3, N, N}},
    {"Stangenwaffen",    {20, 3, 3, N, 3, 20}},
    {"Fernkampf",        {3, 20, 3, N, N, 50}},
    {"Himmelsmagie",     {N, 3, N, N, N, N}},
    {"Feuermagie",       {N, N, N, N, 3, N}},
    {"Wassermagie",      {N, N, N, N, 3, N}},
    {"Luftmagie",        {N, N, N, N, 3, N}},
    {"Erdmagie",         {N, N, N, N, 3, N}},
    {"Mondmagie",        {N, N, 3, N, N, N}},
    {"Ballistik",        {N, N, N, 3, N, N}},
    {"Blutrausch",       {N, N, N, N, N, 3}},
    {"Konzentration",    {0, 3, 3, 0, N, 3}},
    {"Fallenkunst",      {N, N, N, 3, N, N}},
    {"Vampirismus",      {N, N, N, N, N, 0}},
    {"Meditation",       {N, 3, 3, N, 0, N}},
    {"Wendigkeit",       {3, 30, 0, 3, 6, 12}},
    {"Konstitution",     {3, 3, 3, 3, 20, 3}},
    {"Parade",           {30, 3, 50, 30, 50, 3}},
    {"R\u00fcstung",     {3, 12, 20, 12, N, 3}},
    {"Handel",           {50, 50, 6, 50, 12, 30}},
    {"Reiten",           {6, 3, 3, 3, 3, 6}},
    {"Entwaffnung",      {12, N, 30, 3, 30, 3}},
}};
// clang-format on

const SkillEntry &Entry(int skill)
{
    return kSkills.at(static_cast<std::size_t>(skill - 1));
}

} // namespace

std::optional<int> ClassColumn(std::string_view classText)
{
    const auto found = std::find(kClassNames.begin(), kClassNames.end(), classText);
    if (found == kClassNames.end())
        return std::nullopt;
    return static_cast<int>(found - kClassNames.begin());
}

int UnlockLevel(int skill, int classColumn)
{
    return Entry(skill).unlock.at(static_cast<std::size_t>(classColumn));
}

std::string_view SkillCaption(int skill)
{
    return Entry(skill).caption;
}

} // namespace rollwerk
