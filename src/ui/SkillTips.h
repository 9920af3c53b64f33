#pragma once

// Each skill field and its caption show what one more point, or one point
// less, would bring, as their tooltip; the field also carries it as its
// accessible description. The document makes them once a user action is
// complete; this draws those that its record says changed.

#include "PlanDocument.h"

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

    // Owned by parent; shows the document's tooltips at once.
    SkillTips(PlanDocument &document, QWidget *parent, const Widgets &widgets);

private:
    void Show(const SkillArray<std::string> &texts);

    Widgets widgets_;
    SkillArray<std::string> shown_;
    Connection recordConnection_;
};

} // namespace rollwerk
