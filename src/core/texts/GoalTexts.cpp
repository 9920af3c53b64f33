#include "GoalTexts.h"

#include "Catalogue.h"
#include "ComparisonTexts.h"

namespace rollwerk {

namespace {

const LastPoint *LastPointOf(const std::vector<LastPoint> &points, int skill)
{
    for (const LastPoint &point : points) {
        if (point.skill == skill)
            return &point;
    }
    return nullptr;
}

// "1 Punkt", "7 Punkte", "0 Plätze".
std::string Counted(std::int64_t count, std::string_view one, std::string_view many)
{
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

} // namespace

std::string DescribeLimit(const SkillLimit &limit)
{
    std::string why;
    switch (limit.limit) {
    case Limit::Cap:
        why = "Die Stufe " + std::to_string(limit.value) + " erlaubt nicht mehr";
        break;
    case Limit::NothingMore:
        why = "Mehr Punkte bringen nichts mehr";
        break;
    case Limit::Slots:
        why = "Die Pl\u00e4tze sind belegt";
        break;
    case Limit::Minimum:
        why = "Der Mindestwert von " + RowName(limit.row) + " verlangt " + std::to_string(limit.required);
        break;
    case Limit::Points:
        why = "Die Punkte reichen nicht";
        break;
    }
    return std::string(SkillCaption(limit.skill)) + " " + std::to_string(limit.value) + ": " + why;
}

std::string DescribeLastPoint(const LastPoint &point)
{
    std::string text = std::string(SkillCaption(point.skill)) + " " + std::to_string(point.value) + ": Zielwert "
        + (point.objective > 0 ? "+" : "") + std::to_string(point.objective);
    std::string rows;
    for (const RowChange &change : point.rows) {
        const std::int64_t by = change.after - change.before;
        rows += (rows.empty() ? "" : ", ") + RowName(change.row) + " " + (by > 0 ? "+" : "") + std::to_string(by)
            + std::string(BonusSuffix(change.row));
    }
    return rows.empty() ? text : text + " (" + rows + ")";
}

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
    texts.value += " Danach frei: " + Counted(answer.freePoints, "Punkt", "Punkte") + ", "
        + Counted(answer.freeSlots, "Platz", "Pl\u00e4tze") + ".";

    const PlanComparison comparison = ComparePlans(shown, SideOf(goal.level, answer.skills));
    for (const SkillChange &change : comparison.skills) {
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
    for (const SkillLimit &limit : WhatStops(goal, answer))
        texts.limits.push_back(DescribeLimit(limit));
    return texts;
}

std::string CurveTitle(const RowCurve &curve)
{
    const std::string unit = BonusSuffix(curve.row).empty() ? std::string() : std::string(" in %");
    return RowName(curve.row) + unit + " \u00fcber " + std::string(SkillCaption(curve.skill)) + ": jetzt "
        + std::to_string(curve.current) + ", Vorschlag " + std::to_string(curve.proposed);
}

} // namespace rollwerk
