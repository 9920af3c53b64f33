#include "WindowLayout.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>

#include <string>

namespace rollwerk::layout {

namespace {

// Shrinks the client once by the frame margins, as soon as the window system reports them.
class FrameFitter : public QObject {
public:
    FrameFitter(QWidget &window, Place frame) : QObject(&window), window_(window), frame_(frame)
    {
        window.installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == &window_) {
            switch (event->type()) {
            case QEvent::Show:
            case QEvent::Move:
            case QEvent::Resize:
            case QEvent::WindowActivate:
                Fit();
                break;
            default:
                break;
            }
        }
        return false;
    }

private:
    void Fit()
    {
        const QWindow *handle = window_.windowHandle();
        if (!handle || handle->frameMargins().isNull())
            return;
        const QMargins margins = handle->frameMargins();
        window_.removeEventFilter(this);
        window_.resize(
            frame_.width - margins.left() - margins.right(), frame_.height - margins.top() - margins.bottom());
        window_.move(frame_.x, frame_.y);
        deleteLater();
    }

    QWidget &window_;
    Place frame_;
};

} // namespace

std::array<std::string_view, 31> MainTabOrder()
{
    std::array<std::string_view, 31> order{};
    for (const WidgetEntry &entry : kMainWidgets) {
        if (entry.tab != kNoTab)
            order.at(static_cast<std::size_t>(entry.tab)) = entry.name;
    }
    // The skill fields' names live as long as the program; built once.
    static const std::array<std::string, kSkillCount + 1> fieldNames = [] {
        std::array<std::string, kSkillCount + 1> names;
        for (int s = 1; s <= kSkillCount; ++s)
            names.at(static_cast<std::size_t>(s)) = "SpEFert" + std::to_string(s);
        return names;
    }();
    for (const SkillEntry &entry : kSkillGrid)
        order.at(static_cast<std::size_t>(entry.tab)) = fieldNames.at(static_cast<std::size_t>(entry.skill));
    return order;
}

QFont FontOf(FontKind kind)
{
    const FontEntry &entry = FontEntryOf(kind);
    QFont font(Text(entry.family));
    font.setPixelSize(entry.pixels);
    font.setBold(entry.bold);
    // The designed label widths come from hinted text on whole pixels. Full
    // hinting brings the labels closer to them than Qt's default of light
    // hinting on fractional positions, and it draws each glyph once instead
    // of once per fractional position.
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QRect RectOf(Place place)
{
    return QRect(place.x, place.y, place.width, place.height);
}

void PlaceWindowFrame(QWidget &window, Place frame)
{
    window.move(frame.x, frame.y);
    window.resize(frame.width, frame.height);
    new FrameFitter(window, frame);
}

} // namespace rollwerk::layout
