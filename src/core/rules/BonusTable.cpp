#include "BonusTable.h"

#include "BonusCurve.h"
#include "Integer.h"

#include <algorithm>
#include <charconv>

namespace rollwerk {

namespace {

constexpr std::array<std::string_view, kBonusRowCount> kLabels = {
    "Angriffswert beim Faustkampf: +",
    "Angriffswert beim Zwei-Waffenkampf: +",
    "Angriffswert beim Schwertkampf: +",
    "Angriffswert beim Axtkampf: +",
    "Angriffswert beim Klingenkampf: +",
    "Angriffswert beim Kampf mit Stangenwaffen: +",
    "Angriffswert beim Fernkampf: +",
    "Angriffsgeschwindigkeit beim Faustkampf: +",
    "Angriffsgeschwindigkeit beim Zwei-Waffenkampf: +",
    "Angriffsgeschwindigkeit beim Schwertkampf: +",
    "Angriffsgeschwindigkeit beim Axtkampf: +",
    "Angriffsgeschwindigkeit beim Klingenkampf: +",
    "Angriffsgeschwindigkeit beim Kampf mit Stangenwaffen: +",
    "Angriffsgeschwindigkeit beim Fernkampf: +",
    "Schaden bei physischen Angriffen: +",
    "Schaden bei magischen Angriffen: +",
    "Regeneration von Kampfk\u00fcnsten: +",
    "Regeneration von Fallenk\u00fcnsten: +",
    "Regeneration von der Vampir-Kampfk\u00fcnste: +",
    "Mentale Regeneration: +",
    "Angriffswert: +",
    "Verteidigungswert: +",
    "Lebensenergie: +",
    "Physische Regeneration: +",
    "Alle Resistenzen: +",
    "Geschwindigkeit: +",
    "Handel: +",
    "Reiten: +",
    "Entwaffnen: +",
    "Geschwindigkeit beim Ausf\u00fchren von Himmelsmagie: +",
    "Geschwindigkeit beim Ausf\u00fchren von Feuermagie: +",
    "Geschwindigkeit beim Ausf\u00fchren von Wassermagie: +",
    "Geschwindigkeit beim Ausf\u00fchren von Luftmagie: +",
    "Geschwindigkeit beim Ausf\u00fchren von Erdmagie: +",
    "Geschwindigkeit beim Ausf\u00fchren von Mondmagie: +",
    "Geschwindigkeit beim Ausf\u00fchren von Vampir-Kampfk\u00fcnsten: +",
    "Geschwindigkeit beim Ausf\u00fchren von Fallenk\u00fcnsten: +",
    "Schaden von Himmelsmagie: +",
    "Schaden von Feuermagie: +",
    "Schaden von Wassermagie: +",
    "Schaden von Luftmagie: +",
    "Schaden von Erdmagie: +",
    "Schaden von Mondmagie: +",
    "Schaden von Vampir-Kampfk\u00fcnsten: +",
    "Schaden von Fallenk\u00fcnsten: +",
};

enum class Kind {
    Curve,      // BonusCurve(a, b, 50, skill value)
    Raw,        // the skill value itself
    CurveAdded, // a second curve contribution added to the row's value text
};

struct Contribution {
    int row;
    int sourceSkill;
    int a;
    int b;
    Kind kind = Kind::Curve;
};

constexpr int kReferenceSkill = 50;

// In row order; row 22 takes Parade first and then adds Wendigkeit.
// clang-format off
constexpr std::array<Contribution, kBonusRowCount + 1> kContributions = {{
    {1, 3, 12, 200},  {2, 4, 12, 200},  {3, 5, 9, 150},   {4, 6, 9, 150},   {5, 7, 9, 150},
    {6, 8, 9, 150},   {7, 9, 9, 150},   {8, 3, 6, 100},   {9, 4, 6, 100},   {10, 5, 6, 100},
    {11, 6, 6, 100},  {12, 7, 6, 100},  {13, 8, 6, 100},  {14, 9, 6, 100},  {15, 1, 12, 200},
    {16, 2, 12, 200}, {17, 18, 12, 200}, {18, 19, 12, 200}, {19, 20, 12, 200}, {20, 21, 12, 200},
    {21, 22, 7, 125}, {22, 24, 15, 250}, {22, 22, 13, 225, Kind::CurveAdded},
    {23, 23, 4, 130}, {24, 23, 6, 150}, {25, 25, 12, 250}, {26, 25, 1, 10},
    {27, 26, 0, 0, Kind::Raw}, {28, 27, 0, 0, Kind::Raw}, {29, 28, 0, 0, Kind::Raw},
    {30, 10, 6, 100}, {31, 11, 6, 100}, {32, 12, 6, 100}, {33, 13, 6, 100}, {34, 14, 6, 100},
    {35, 15, 6, 100}, {36, 17, 6, 100}, {37, 16, 6, 100}, {38, 10, 6, 100}, {39, 11, 6, 100},
    {40, 12, 6, 100}, {41, 13, 6, 100}, {42, 14, 6, 100}, {43, 15, 6, 100}, {44, 17, 6, 100},
    {45, 16, 6, 100},
}};
// clang-format on

// Where each row's contributions start in the table, and the end after the last row.
constexpr std::array<std::size_t, kBonusRowCount + 1> kFirstContribution = [] {
    std::array<std::size_t, kBonusRowCount + 1> first{};
    std::size_t index = 0;
    for (int row = 1; row <= kBonusRowCount; ++row) {
        first.at(static_cast<std::size_t>(row - 1)) = index;
        while (index < kContributions.size() && kContributions.at(index).row == row)
            ++index;
    }
    first.back() = index;
    return first;
}();
static_assert(kFirstContribution.back() == kContributions.size(), "the contributions are in row order");

bool IsZero(const std::string &text)
{
    return text.size() == 1 && text[0] == '0';
}

// Reads a value text back as the planner stores it; texts are always decimal.
std::int32_t ReadValueText(const std::string &text)
{
    return IsZero(text) ? 0 : ParseInteger(text).value_or(0);
}

// The exact curve costs a few hundred nanoseconds, and a rebuild runs after
// every skill change; each contribution remembers its values for the skill
// values a plan can hold. The program has one thread.
constexpr std::int32_t kRememberedSkillValues = 1000;

std::int32_t Contribute(std::size_t index, const Contribution &c, std::int32_t value)
{
    static std::array<std::array<std::int32_t, kRememberedSkillValues>, kContributions.size()> remembered{};
    if (value >= kRememberedSkillValues)
        return BonusCurve(c.a, c.b, kReferenceSkill, value);
    std::int32_t &known = remembered[index][static_cast<std::size_t>(value)];
    if (known == 0) // every curve value at a skill value of 1 or more is at least a > 0
        known = BonusCurve(c.a, c.b, kReferenceSkill, value);
    return known;
}

// The row's value after contribution c of a skill at value: a curve or the
// value itself replaces what the row held, an added curve adds to it.
std::int64_t ContributionValue(std::size_t index, const Contribution &c, std::int32_t value, std::int64_t rowBefore)
{
    switch (c.kind) {
    case Kind::Curve:
        return Contribute(index, c, value);
    case Kind::Raw:
        return value;
    case Kind::CurveAdded:
        return rowBefore + Contribute(index, c, value);
    }
    return rowBefore;
}

} // namespace

std::string_view BonusLabel(int row)
{
    return kLabels.at(static_cast<std::size_t>(row - 1));
}

std::string_view BonusSuffix(int row)
{
    return row >= 27 && row <= 29 ? std::string_view() : std::string_view(" %");
}

std::int64_t BonusRowValue(int row, const SkillValues &skills)
{
    // Row 22's second contribution adds to what its value text holds, which is the first.
    std::int64_t rowValue = 0;
    const auto at = static_cast<std::size_t>(row - 1);
    for (std::size_t index = kFirstContribution.at(at); index < kFirstContribution.at(at + 1); ++index) {
        const Contribution &c = kContributions[index];
        const std::int32_t value = skills[c.sourceSkill];
        if (value < 1)
            continue;
        rowValue = ContributionValue(index, c, value, rowValue);
    }
    return rowValue;
}

std::span<const int> BonusRowsOfSkill(int skill)
{
    static const SkillArray<std::vector<int>> rows = [] {
        SkillArray<std::vector<int>> result;
        for (const Contribution &c : kContributions) {
            std::vector<int> &ofSkill = result[c.sourceSkill];
            if (std::find(ofSkill.begin(), ofSkill.end(), c.row) == ofSkill.end())
                ofSkill.push_back(c.row);
        }
        for (int s = 1; s <= kSkillCount; ++s)
            std::sort(result[s].begin(), result[s].end());
        return result;
    }();
    return rows[skill];
}

std::span<const int> BonusSourceSkills(int row)
{
    static const std::array<std::vector<int>, kBonusRowCount> skills = [] {
        std::array<std::vector<int>, kBonusRowCount> result;
        for (const Contribution &c : kContributions)
            result.at(static_cast<std::size_t>(c.row - 1)).push_back(c.sourceSkill);
        for (std::vector<int> &ofRow : result)
            std::sort(ofRow.begin(), ofRow.end());
        return result;
    }();
    return skills.at(static_cast<std::size_t>(row - 1));
}

std::string BonusLine(int row, std::int64_t value)
{
    if (value <= 0)
        return {};
    const std::string_view label = BonusLabel(row);
    const std::string_view suffix = BonusSuffix(row);
    std::array<char, 24> digits{};
    const char *end = std::to_chars(digits.data(), digits.data() + digits.size(), value).ptr;
    std::string line;
    line.reserve(label.size() + digits.size() + suffix.size());
    line.append(label).append(digits.data(), static_cast<std::size_t>(end - digits.data())).append(suffix);
    return line;
}

std::string RowName(int row)
{
    std::string_view label = BonusLabel(row);
    const std::string_view ending = ": +";
    if (label.ends_with(ending))
        label.remove_suffix(ending.size());
    return std::string(label);
}

std::string RowValueText(int row, std::int64_t value)
{
    if (value <= 0)
        return "0";
    return "+" + std::to_string(value) + std::string(BonusSuffix(row));
}

void BonusTexts::Initialise()
{
    for (int row = 1; row <= kBonusRowCount; ++row) {
        ValueText(row) = "0";
        Suffix(row) = BonusSuffix(row);
        Label(row) = BonusLabel(row);
    }
    last.reset();
}

void BonusTexts::Restore(const BonusLines &shown)
{
    if (label[0].empty())
        Initialise();
    for (int row = 1; row <= kBonusRowCount; ++row) {
        const std::int64_t value = shown ? shown->values.at(static_cast<std::size_t>(row - 1)) : 0;
        ValueText(row) = value == 0 ? std::string("0") : std::to_string(value);
    }
    last = shown;
}

bool SameBonuses(const BonusLines &a, const BonusLines &b)
{
    return a == b || (a && b && *a == *b);
}

BonusLines RebuildBonusTexts(BonusTexts &texts, const SkillValues &skills)
{
    for (std::string &text : texts.valueText) {
        if (!IsZero(text))
            text = "0";
    }
    std::array<std::int64_t, kBonusRowCount> values{};

    for (std::size_t index = 0; index < kContributions.size(); ++index) {
        const Contribution &c = kContributions[index];
        const std::int32_t value = skills[c.sourceSkill];
        if (value < 1)
            continue;
        std::string &text = texts.ValueText(c.row);
        std::int64_t &rowValue = values.at(static_cast<std::size_t>(c.row - 1));
        rowValue = ContributionValue(index, c, value, ReadValueText(text));
        text = std::to_string(rowValue);
    }

    // Same values, same texts, same lines.
    if (texts.last && values == texts.last->values)
        return texts.last;
    auto shown = std::make_shared<ShownBonuses>();
    shown->values = values;
    for (int row = 1; row <= kBonusRowCount; ++row) {
        if (ReadValueText(texts.ValueText(row)) <= 0)
            continue;
        std::string &line = shown->lines.emplace_back();
        line.reserve(texts.Label(row).size() + texts.ValueText(row).size() + texts.Suffix(row).size());
        line.append(texts.Label(row)).append(texts.ValueText(row)).append(texts.Suffix(row));
    }
    texts.last = shown;
    return shown;
}

} // namespace rollwerk
