#include "SkillTips.h"

#include "Preview.h"

#include <QWidget>

namespace rollwerk {

SkillTips::SkillTips(Planner &planner, QWidget *content) : QObject(content), planner_(planner)
{
    for (int s = 1; s <= kSkillCount; ++s) {
        const auto index = static_cast<std::size_t>(s - 1);
        fields_[index] = content->findChild<QWidget *>(QStringLiteral("SpEFert%1").arg(s));
        captions_[index] = content->findChild<QWidget *>(QStringLiteral("LFert%1Head").arg(s));
    }
    planner_.onSettled = [this] { Refresh(); };
}

SkillTips::~SkillTips()
{
    // Goes with the widgets, while the planner still lives.
    planner_.onSettled = nullptr;
}

void SkillTips::Refresh()
{
    const SkillArray<std::string> texts = SkillTipTexts(planner_);
    for (int s = 1; s <= kSkillCount; ++s) {
        const auto index = static_cast<std::size_t>(s - 1);
        QString text = QString::fromStdString(texts[s]);
        // Most skills' previews stay the same; an unchanged description raises no accessibility event.
        if (text == shown_[index])
            continue;
        shown_[index] = text;
        if (fields_[index]) {
            fields_[index]->setToolTip(text);
            fields_[index]->setAccessibleDescription(text);
        }
        if (captions_[index])
            captions_[index]->setToolTip(text);
    }
}

} // namespace rollwerk
