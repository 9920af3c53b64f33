#include "PlanShelf.h"

#include "PlanApply.h"
#include "PlanDocument.h"
#include "Utf8.h"

#include <algorithm>

namespace rollwerk {

namespace {

bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\r';
}

std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A name as kept: control characters (a pasted line break, a tab) become
// spaces, so that a name stays on its line of the copied text; blanks
// around it go.
std::string Normalised(std::string_view name)
{
    std::string text(name);
    std::replace_if(
        text.begin(), text.end(), [](char ch) { return static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F; }, ' ');
    return std::string(Trimmed(text));
}

// The first characters of a text, at most limit of them.
std::string_view Cut(std::string_view text, std::size_t limit)
{
    return text.substr(0, ByteOffset(text, limit));
}

ShownPlan Valued(std::string className, PlanSide side)
{
    ShownPlan plan{std::move(className), side, FreePoints(side), FreeSlots(side)};
    return plan;
}

ComparisonCell Cell(std::string value, std::int64_t of, std::int64_t shown)
{
    return {std::move(value), DifferenceText(of - shown), of != shown};
}

ComparisonCell NumberCell(std::int64_t of, std::int64_t shown)
{
    return Cell(std::to_string(of), of, shown);
}

// Rows left out of the bonus list count as 0, as the comparison counts them.
std::int64_t RowValue(const ShownPlan &plan, int row)
{
    return std::max<std::int64_t>(plan.side.rows.at(static_cast<std::size_t>(row - 1)), 0);
}

} // namespace

std::optional<ShownPlan> ShownPlanOfCode(std::string_view code)
{
    const PlanDecoding decoding = DecodePlanCode(code);
    if (!decoding.plan)
        return std::nullopt;
    Planner scratch;
    scratch.FormCreate();
    ApplyPlan(scratch, *decoding.plan);
    const Plan plan = CurrentPlan(scratch);
    return Valued(plan.className, {plan.level, plan.skills, scratch.LBBoni.Values()});
}

ShownPlan ShownPlanOf(const PlanDocument &document)
{
    return Valued(document.Models().CBCharwahl.Text(), document.Shown());
}

std::string ComparisonCell::Text() const
{
    return difference.empty() ? value : value + " (" + difference + ")";
}

PlanShelf::Saving PlanShelf::Save(std::string_view name, std::string_view code, bool replace)
{
    std::string kept = Normalised(name);
    for (int number = 1; kept.empty(); ++number) {
        if (Find(NumberedPlanName(number)) == nullptr)
            kept = NumberedPlanName(number);
    }
    if (const std::size_t length = CharCount(kept); length > kPlanNameMaxLength)
        return {Outcome::Refused, kept, NameTooLongText(length, kPlanNameMaxLength)};
    const std::optional<ShownPlan> shown = ShownPlanOfCode(code);
    if (!shown)
        return {Outcome::Refused, kept, DecodePlanCode(code).error};
    const auto same = std::find_if(plans_.begin(), plans_.end(), [&](const SavedPlan &p) { return p.name == kept; });
    if (same == plans_.end()) {
        plans_.push_back({kept, std::string(code), *shown});
        return {Outcome::Saved, kept, {}};
    }
    if (!replace)
        return {Outcome::AskFirst, kept, ReplaceQuestion(kept)};
    same->code = code;
    same->shown = *shown;
    return {Outcome::Replaced, kept, {}};
}

// A name as typed is found as it was kept: Save keeps names trimmed, with a
// tab or line break as a space.
const SavedPlan *PlanShelf::Find(std::string_view name) const
{
    const std::string kept = Normalised(name);
    const auto found = std::find_if(plans_.begin(), plans_.end(), [&](const SavedPlan &p) { return p.name == kept; });
    return found == plans_.end() ? nullptr : &*found;
}

bool PlanShelf::Remove(std::string_view name)
{
    const std::string kept = Normalised(name);
    const auto found = std::find_if(plans_.begin(), plans_.end(), [&](const SavedPlan &p) { return p.name == kept; });
    if (found == plans_.end())
        return false;
    removed_.push_back({std::move(*found), static_cast<std::size_t>(found - plans_.begin())});
    plans_.erase(found);
    return true;
}

std::optional<std::string> PlanShelf::Restore()
{
    if (removed_.empty())
        return std::nullopt;
    Removed removed = std::move(removed_.back());
    removed_.pop_back();
    removed.plan.name = FreeName(removed.plan.name);
    const std::size_t position = std::min(removed.position, plans_.size());
    plans_.insert(plans_.begin() + static_cast<std::ptrdiff_t>(position), removed.plan);
    return removed.plan.name;
}

std::vector<std::string> PlanShelf::RowTexts() const
{
    std::vector<std::string> rows;
    for (const SavedPlan &plan : plans_)
        rows.push_back(PlanRowText(plan.name, plan.shown.className, plan.shown.side.level, plan.shown.freePoints));
    return rows;
}

ComparisonTable PlanShelf::Compare(const ShownPlan &shown) const
{
    std::vector<const ShownPlan *> columns{&shown};
    ComparisonTable table;
    table.columns.emplace_back(kShownColumnTitle);
    for (const SavedPlan &plan : plans_) {
        columns.push_back(&plan.shown);
        table.columns.push_back(plan.name);
    }
    const auto addRow = [&](std::string title, auto cellOf) {
        ComparisonRow row{std::move(title), {}};
        for (const ShownPlan *plan : columns)
            row.cells.push_back(cellOf(*plan));
        table.rows.push_back(std::move(row));
    };
    addRow(std::string(kClassRowTitle), [&](const ShownPlan &p) {
        return ComparisonCell{p.className, {}, p.className != shown.className};
    });
    addRow(std::string(kLevelRowTitle), [&](const ShownPlan &p) { return NumberCell(p.side.level, shown.side.level); });
    addRow(std::string(kFreePointsRowTitle),
        [&](const ShownPlan &p) { return NumberCell(p.freePoints, shown.freePoints); });
    addRow(
        std::string(kFreeSlotsRowTitle), [&](const ShownPlan &p) { return NumberCell(p.freeSlots, shown.freeSlots); });
    const auto anyOf = [&](auto has) {
        return std::any_of(columns.begin(), columns.end(), [&](const ShownPlan *p) { return has(*p); });
    };
    for (int s = 1; s <= kSkillCount; ++s) {
        if (anyOf([s](const ShownPlan &p) { return p.side.skills[s] != 0; }))
            addRow(std::string(SkillCaption(s)),
                [&](const ShownPlan &p) { return NumberCell(p.side.skills[s], shown.side.skills[s]); });
    }
    for (int row = 1; row <= kBonusRowCount; ++row) {
        if (anyOf([row](const ShownPlan &p) { return RowValue(p, row) > 0; }))
            addRow(RowName(row), [&](const ShownPlan &p) {
                return Cell(RowValueText(row, RowValue(p, row)), RowValue(p, row), RowValue(shown, row));
            });
    }
    return table;
}

std::string PlanShelf::CopyText() const
{
    std::string text;
    for (const SavedPlan &plan : plans_)
        text += plan.name + ": " + plan.code + "\n";
    return text;
}

PlanShelf::Pasting PlanShelf::Paste(std::string_view text)
{
    Pasting pasting;
    std::size_t number = 0;
    for (std::size_t start = 0; start <= text.size(); ++number) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        const std::string_view line = Trimmed(text.substr(start, end - start));
        start = end + 1;
        if (line.empty())
            continue;
        const std::size_t wordStart
            = line.find_last_of(" \t") == std::string_view::npos ? 0 : line.find_last_of(" \t") + 1;
        std::string_view name = Trimmed(line.substr(0, wordStart));
        PlanDecoding decoding = DecodePlanCode(line.substr(wordStart));
        if (!decoding.plan) {
            decoding = FindPlanCode(line);
            name = {};
        }
        if (!decoding.plan) {
            pasting.unread.push_back({number + 1, std::string(line), decoding.error});
            continue;
        }
        if (name.ends_with(':'))
            name = Trimmed(name.substr(0, name.size() - 1));
        // A name too long for the shelf is cut rather than the plan lost.
        const std::string kept(Cut(Normalised(name), kPlanNameMaxLength));
        const Saving saving = Save(kept.empty() ? kept : FreeName(kept), EncodePlan(*decoding.plan));
        pasting.added.push_back(saving.name);
    }
    pasting.message = PasteReport(pasting.added.size(), pasting.unread);
    return pasting;
}

std::string PlanShelf::FreeName(std::string_view name) const
{
    std::string candidate(name);
    for (int number = 2; Find(candidate) != nullptr; ++number) {
        const std::string suffix = " (" + std::to_string(number) + ")";
        candidate = std::string(Cut(name, kPlanNameMaxLength - CharCount(suffix))) + suffix;
    }
    return candidate;
}

} // namespace rollwerk
