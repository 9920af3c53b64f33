#include "GoalTexts.h"

#include "AccessKey.h"
#include "Catalogue.h"

#include <charconv>

namespace rollwerk {

namespace {

const GoalWindowText *GoalWindowTextOf(std::string_view widget)
{
    for (const GoalWindowText &entry : kGoalWindowTexts) {
        if (entry.widget == widget)
            return &entry;
    }
    return nullptr;
}

const LastPoint *LastPointOf(const std::vector<LastPoint> &points, int skill)
{
    for (const LastPoint &point : points) {
        if (point.skill == skill)
            return &point;
    }
    return nullptr;
}

constexpr std::string_view kFreeSpent = "frei";

// A plain decimal number of at most four digits, so that nothing overflows; no sign.
std::optional<std::int32_t> Number(std::string_view text)
{
    std::int32_t value = 0;
    const char *end = text.data() + text.size();
    if (text.empty() || text.size() > 4 || text.front() < '0' || text.front() > '9')
        return std::nullopt;
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

std::vector<std::string_view> Split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const std::size_t stop = text.find(separator, start);
        parts.push_back(text.substr(start, stop == std::string_view::npos ? std::string_view::npos : stop - start));
        if (stop == std::string_view::npos)
            return parts;
        start = stop + 1;
    }
}

std::string Quoted(std::string_view text)
{
    return "\u201e" + std::string(text) + "\u201c";
}

// Reads "ZEILE:GEWICHT[:MINDESTWERT]" into the goal; the German error, or empty.
std::string ReadRow(std::string_view item, Goal &goal, std::array<bool, kBonusRowCount> &seen)
{
    const std::vector<std::string_view> numbers = Split(item, ':');
    if (numbers.size() < 2 || numbers.size() > 3)
        return Quoted(item) + " ist weder Zeile:Gewicht noch Zeile:Gewicht:Mindestwert";
    const std::optional<std::int32_t> row = Number(numbers[0]);
    const std::optional<std::int32_t> weight = Number(numbers[1]);
    const std::optional<std::int32_t> minimum = numbers.size() == 3 ? Number(numbers[2]) : 0;
    if (!row || !weight || !minimum)
        return "In " + Quoted(item) + " steht etwas anderes als Zahlen";
    if (*row < 1 || *row > kBonusRowCount)
        return "Eine Zeile " + std::to_string(*row) + " gibt es nicht (1 bis " + std::to_string(kBonusRowCount) + ")";
    const auto index = static_cast<std::size_t>(*row - 1);
    const std::string name = "Zeile " + std::to_string(*row) + " (" + RowName(*row) + ")";
    if (seen.at(index))
        return name + " steht zweimal im Ziel";
    seen.at(index) = true;
    if (*weight > kMaxGoalWeight)
        return "Das Gewicht " + std::to_string(*weight) + " von " + name + " ist zu hoch (h\u00f6chstens "
            + std::to_string(kMaxGoalWeight) + ")";
    if (*minimum > kMaxGoalMinimum)
        return "Der Mindestwert " + std::to_string(*minimum) + " von " + name + " ist zu hoch (h\u00f6chstens "
            + std::to_string(kMaxGoalMinimum) + ")";
    goal.weight.at(index) = *weight;
    goal.minimum.at(index) = *minimum;
    return {};
}

} // namespace

GoalTexts DescribeGoalAnswer(const Goal &goal, const GoalAnswer &answer, const PlanSide &shown)
{
    GoalTexts texts;
    if (!answer.found) {
        texts.value = answer.reason + '.';
        return texts;
    }
    texts.value = "Zielwert " + std::to_string(answer.objective) + " (jetzt " + std::to_string(answer.currentObjective)
        + "), der h\u00f6chste auf Stufe " + std::to_string(goal.level) + " erreichbare.";
    if (shown.level != goal.level)
        texts.value += " Stufe " + std::to_string(shown.level) + " \u2192 " + std::to_string(goal.level) + '.';
    texts.value += " Danach frei: " + std::to_string(answer.freePoints) + " Punkte, " + std::to_string(answer.freeSlots)
        + " Pl\u00e4tze.";

    const PlanComparison comparison = ComparePlans(shown, SideOf(goal.level, answer.skills));
    for (const SkillValueChange &change : comparison.skills) {
        texts.proposal.push_back(SkillChangeLine(change));
        const LastPoint *last = LastPointOf(answer.lastPoints, change.skill);
        texts.proposalTips.push_back(last ? "Letzter Punkt: " + DescribeLastPoint(*last) : std::string());
    }
    for (const LastPoint &point : answer.lastPoints) {
        texts.lastPoints.push_back(DescribeLastPoint(point));
        const LastPoint *now = LastPointOf(answer.currentLastPoints, point.skill);
        texts.lastPointTips.push_back(now ? "Jetzt: " + DescribeLastPoint(*now) : std::string("Jetzt ohne Punkte"));
    }
    for (const RowChange &change : comparison.rows)
        texts.comparison.push_back(RowChangeLine(change));
    return texts;
}

Plan ProposedPlan(const Goal &goal, const SkillValues &skills)
{
    return {std::string(kClassNames.at(static_cast<std::size_t>(goal.classColumn))), goal.level, skills};
}

std::string CurveTitle(const RowCurve &curve)
{
    const std::string unit = BonusSuffix(curve.row).empty() ? std::string() : std::string(" in %");
    return RowName(curve.row) + unit + " \u00fcber " + std::string(SkillCaption(curve.skill)) + ": jetzt "
        + std::to_string(curve.current) + ", Vorschlag " + std::to_string(curve.proposed);
}

std::string EncodeGoalLink(const Goal &goal)
{
    std::string text = std::to_string(goal.level);
    if (!goal.keepSpent)
        text += ',' + std::string(kFreeSpent);
    for (int row = 1; row <= kBonusRowCount; ++row) {
        const auto index = static_cast<std::size_t>(row - 1);
        if (goal.weight.at(index) == 0 && goal.minimum.at(index) == 0)
            continue;
        text += ',' + std::to_string(row) + ':' + std::to_string(goal.weight.at(index));
        if (goal.minimum.at(index) != 0)
            text += ':' + std::to_string(goal.minimum.at(index));
    }
    return text;
}

GoalLinkDecoding DecodeGoalLink(std::string_view text)
{
    // A link ends at a space; punctuation after it belongs to the sentence around it.
    text = text.substr(0, text.find_first_of(" \t\r\n"));
    if (const std::size_t escaped = text.find("%20"); escaped != std::string_view::npos)
        text = text.substr(0, escaped);
    while (!text.empty() && std::string_view(".,;:!?)]}>/'\"").find(text.back()) != std::string_view::npos)
        text.remove_suffix(1);
    if (text.empty())
        return {std::nullopt, "Das Ziel ist leer"};

    const std::vector<std::string_view> items = Split(text, ',');
    Goal goal;
    const std::optional<std::int32_t> level = Number(items.front());
    if (!level || *level < kMinLevel || *level > kMaxLevel)
        return {std::nullopt,
            "Die Zielstufe " + Quoted(items.front()) + " ist keine Stufe von " + std::to_string(kMinLevel) + " bis "
                + std::to_string(kMaxLevel)};
    goal.level = *level;
    std::array<bool, kBonusRowCount> seen{};
    for (std::size_t i = 1; i < items.size(); ++i) {
        if (i == 1 && items[i] == kFreeSpent) {
            goal.keepSpent = false;
            continue;
        }
        if (std::string error = ReadRow(items[i], goal, seen); !error.empty())
            return {std::nullopt, std::move(error)};
    }
    return {goal, {}};
}

std::string_view GoalCaption(std::string_view widget)
{
    const GoalWindowText *entry = GoalWindowTextOf(widget);
    return entry ? entry->caption : std::string_view();
}

std::string GoalAccessibleName(std::string_view widget)
{
    const GoalWindowText *entry = GoalWindowTextOf(widget);
    if (entry == nullptr)
        return {};
    if (!entry->accessibleName.empty())
        return std::string(entry->accessibleName);
    std::string name = WithoutAccessKey(entry->caption);
    if (name.ends_with(':'))
        name.pop_back();
    return name;
}

} // namespace rollwerk
