#pragma once

// Each skill field and its caption show what one more point, or one point
// less, would bring, as their tooltip; the field also carries it as its
// accessible description. Made again once a user action is complete, not
// for every write inside it.

#include "Planner.h"

#include <QObject>
#include <QString>

#include <array>
#include <string>

class QWidget;

namespace rollwerk {

class SkillTips : public QObject {
    Q_OBJECT

public:
    // Finds the fields and captions among the children of content by name.
    SkillTips(Planner &planner, QWidget *content);

    void Refresh();

private:
    Planner &planner_;
    QWidget *content_;
    std::array<QWidget *, kSkillCount> fields_{};
    std::array<QWidget *, kSkillCount> captions_{};
    std::array<std::string, kSkillCount> shown_;
    Connection settledConnection_;
};

} // namespace rollwerk
