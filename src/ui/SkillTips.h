#pragma once

// Each skill field and its caption show what one more point, or one point
// less, would bring, as their tooltip; the field also carries it as its
// accessible description. Made again once a user action is complete, not
// for every write inside it.

#include "Planner.h"

#include <QObject>

#include <string>

class QWidget;

namespace rollwerk {

class SkillTips : public QObject {
    Q_OBJECT

public:
    // The widgets that show each skill: its field and its caption.
    struct Widgets {
        SkillArray<QWidget *> fields;
        SkillArray<QWidget *> captions;
    };

    // Owned by parent, which also shows the errors of a refresh.
    SkillTips(Planner &planner, QWidget *parent, const Widgets &widgets);

    void Refresh();

private:
    Planner &planner_;
    QWidget *parent_;
    Widgets widgets_;
    SkillArray<std::string> shown_;
    Connection settledConnection_;
};

} // namespace rollwerk
