#include "GoalLink.h"

#include "Utf8.h"

#include <algorithm>
#include <charconv>

namespace rollwerk {

namespace {

constexpr std::string_view kFreeSpent = "frei";

// At most this many characters of a part that cannot be read go into its message.
constexpr std::size_t kQuotedCharacters = 24;

// A plain decimal number, no sign. Leading zeros are read as the number
// fields read them ("0250" is 250, "00005" is 5), however many there are;
// at most four digits follow them, so that nothing overflows.
std::optional<std::int32_t> Number(std::string_view text)
{
    std::int32_t value = 0;
    const char *end = text.data() + text.size();
    if (text.empty() || text.front() < '0' || text.front() > '9')
        return std::nullopt;
    text.remove_prefix(std::min(text.find_first_not_of('0'), text.size() - 1));
    if (text.size() > 4)
        return std::nullopt;
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

// The part in German quotation marks, its beginning only when it is long: „3:5:1:1“, „AAAA…“.
std::string QuotedStart(std::string_view text)
{
    const std::size_t cut = ByteOffset(text, kQuotedCharacters);
    return cut < text.size() ? Quoted(std::string(text.substr(0, cut)) + "\u2026") : Quoted(text);
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

// Reads "ZEILE:GEWICHT[:MINDESTWERT]" into the goal; the German error, or empty.
std::string ReadRow(std::string_view item, Goal &goal, std::array<bool, kBonusRowCount> &seen)
{
    const std::vector<std::string_view> numbers = Split(item, ':');
    if (numbers.size() < 2 || numbers.size() > 3)
        return QuotedStart(item) + " ist weder Zeile:Gewicht noch Zeile:Gewicht:Mindestwert";
    const std::optional<std::int32_t> row = Number(numbers[0]);
    const std::optional<std::int32_t> weight = Number(numbers[1]);
    const std::optional<std::int32_t> minimum = numbers.size() == 3 ? Number(numbers[2]) : 0;
    if (!row || !weight || !minimum)
        return "In " + QuotedStart(item) + " steht etwas anderes als Zahlen";
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
            "Die Zielstufe " + QuotedStart(items.front()) + " ist keine Stufe von " + std::to_string(kMinLevel)
                + " bis " + std::to_string(kMaxLevel)};
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

} // namespace rollwerk
