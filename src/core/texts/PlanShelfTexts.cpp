#include "PlanShelfTexts.h"

#include "Utf8.h"

namespace rollwerk {

namespace {

// "1 Punkt", "3 Punkte": a count with its noun in singular or plural.
std::string Counted(std::int64_t count, std::string_view one, std::string_view many)
{
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

// An unread line as the report quotes it: long lines cut, so that one pasted essay does not fill the box.
std::string Shortened(std::string_view text)
{
    constexpr std::size_t kQuotedCharacters = 40;
    if (CharCount(text) <= kQuotedCharacters)
        return std::string(text);
    return std::string(text.substr(0, ByteOffset(text, kQuotedCharacters))) + "\u2026";
}

} // namespace

std::string NumberedPlanName(int number)
{
    return "Plan " + std::to_string(number);
}

std::string PlanRowText(std::string_view name, std::string_view className, std::int32_t level, std::int64_t freePoints)
{
    return std::string(name) + " \u2013 " + std::string(className) + ", Stufe " + std::to_string(level) + ", "
        + Counted(freePoints, "Punkt frei", "Punkte frei");
}

std::string DifferenceText(std::int64_t difference)
{
    if (difference == 0)
        return {};
    return (difference > 0 ? "+" + std::to_string(difference) : "\u2212" + std::to_string(-difference));
}

std::string ReplaceQuestion(std::string_view name)
{
    return "Es gibt schon einen Plan " + Quoted(name) + ". Soll der angezeigte Plan ihn ersetzen?";
}

std::string NameTooLongText(std::size_t characters, std::size_t limit)
{
    return "Ein Name hat h\u00f6chstens " + std::to_string(limit) + " Zeichen, dieser hat " + std::to_string(characters)
        + ".";
}

std::string NoSuchPlanText(std::string_view name)
{
    return "Es gibt keinen gespeicherten Plan " + Quoted(name) + ".";
}

std::string OpenSavedStep(std::string_view name)
{
    return "Plan " + Quoted(name) + " \u00f6ffnen";
}

std::string PasteReport(std::size_t added, const std::vector<UnreadLine> &unread)
{
    std::string text = added == 0
        ? std::string("Kein Plan hinzugef\u00fcgt.")
        : Counted(static_cast<std::int64_t>(added), "Plan", "Pl\u00e4ne") + " hinzugef\u00fcgt.";
    if (!unread.empty())
        text += unread.size() == 1 ? "\nEine Zeile enthielt keinen Plan:" : "\nDiese Zeilen enthielten keinen Plan:";
    for (const UnreadLine &line : unread)
        text += "\nZeile " + std::to_string(line.number) + " " + Quoted(Shortened(line.text)) + ": " + line.reason;
    return text;
}

} // namespace rollwerk
