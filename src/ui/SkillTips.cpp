#include "SkillTips.h"

#include <QWidget>

namespace rollwerk {

SkillTips::SkillTips(PlanDocument &document, QWidget *parent, const Widgets &widgets)
    : QObject(parent), widgets_(widgets)
{
    Show(document.Tips());
    recordConnection_ = document.recorded.Connect([this, &document](const PlanRecord &record) {
        if (record.tips)
            Show(document.Tips());
    });
}

void SkillTips::Show(const SkillArray<std::string> &texts)
{
    for (int s = 1; s <= kSkillCount; ++s) {
        // The previews of locked skills stay the same; an unchanged description raises no accessibility event.
        if (texts[s] == shown_[s])
            continue;
        shown_[s] = texts[s];
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
