#include "SkillTips.h"

#include "PlannerCall.h"
#include "Preview.h"

#include <QWidget>

namespace rollwerk {

SkillTips::SkillTips(Planner &planner, QWidget *content) : QObject(content), planner_(planner), content_(content)
{
    for (int s = 1; s <= kSkillCount; ++s) {
        const auto index = static_cast<std::size_t>(s - 1);
        fields_[index] = content->findChild<QWidget *>(QStringLiteral("SpEFert%1").arg(s));
        captions_[index] = content->findChild<QWidget *>(QStringLiteral("LFert%1Head").arg(s));
    }
    settledConnection_ = planner_.settled.Connect([this] { Refresh(); });
}

void SkillTips::Refresh()
{
    // Runs when a user action ends, which may be outside any call into the
    // planner that shows its errors: this one shows its own.
    SkillArray<std::string> texts;
    if (!CallPlanner(content_, [&] { texts = SkillTipTexts(planner_); }))
        return;
    for (int s = 1; s <= kSkillCount; ++s) {
        const auto index = static_cast<std::size_t>(s - 1);
        // The previews of locked skills stay the same; an unchanged description raises no accessibility event.
        if (texts[s] == shown_[index])
            continue;
        shown_[index] = std::move(texts[s]);
        const QString text = QString::fromStdString(shown_[index]);
        if (fields_[index]) {
            fields_[index]->setToolTip(text);
            fields_[index]->setAccessibleDescription(text);
        }
        if (captions_[index])
            captions_[index]->setToolTip(text);
    }
}

} // namespace rollwerk
