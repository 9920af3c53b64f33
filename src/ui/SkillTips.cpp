#include "SkillTips.h"

#include "PlannerCall.h"
#include "Preview.h"

#include <QWidget>

namespace rollwerk {

SkillTips::SkillTips(Planner &planner, QWidget *parent, const Widgets &widgets)
    : QObject(parent), planner_(planner), parent_(parent), widgets_(widgets)
{
    settledConnection_ = planner_.settled.Connect([this] { Refresh(); });
}

void SkillTips::Refresh()
{
    // Runs when a user action ends, which may be outside any call into the
    // planner that shows its errors: this one shows its own.
    SkillArray<std::string> texts;
    if (!CallPlanner(parent_, [&] { texts = SkillTipTexts(planner_); }))
        return;
    for (int s = 1; s <= kSkillCount; ++s) {
        // The previews of locked skills stay the same; an unchanged description raises no accessibility event.
        if (texts[s] == shown_[s])
            continue;
        shown_[s] = std::move(texts[s]);
        const QString text = QString::fromStdString(shown_[s]);
        if (QWidget *field = widgets_.fields[s]) {
            field->setToolTip(text);
            field->setAccessibleDescription(text);
        }
        if (QWidget *caption = widgets_.captions[s])
            caption->setToolTip(text);
    }
}

} // namespace rollwerk
