#include "TFInfo.h"

#include "QtColour.h"
#include "WindowLayout.h"

#include <QPlainTextEdit>
#include <QScrollArea>
#include <QStringList>
#include <QVBoxLayout>

namespace rollwerk {

using layout::Text;

TFInfo::TFInfo(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(Text(layout::kInfoName));
    setWindowTitle(Text(layout::kInfoTitle));
    // The main window alone decides when the program ends.
    setAttribute(Qt::WA_QuitOnClose, false);

    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, ToQColor(kSkyBlue));
    setPalette(windowPalette);
    setAutoFillBackground(true);

    // A window made smaller than the box scrolls to reach the rest.
    auto *scrollArea = new QScrollArea(this);
    scrollArea->setFrameShape(QFrame::NoFrame);
    scrollArea->setFocusPolicy(Qt::NoFocus);
    auto *content = new QWidget(scrollArea);
    const layout::Place box = layout::kInfoTextPlace;
    content->setFixedSize(box.x * 2 + box.width, box.y * 2 + box.height);
    scrollArea->setWidget(content);
    scrollArea->viewport()->setAutoFillBackground(false);
    content->setAutoFillBackground(false);
    auto *windowLayout = new QVBoxLayout(this);
    windowLayout->setContentsMargins(0, 0, 0, 0);
    windowLayout->addWidget(scrollArea);

    MInfo = new QPlainTextEdit(content);
    MInfo->setObjectName(QStringLiteral("MInfo"));
    MInfo->setAccessibleName(QStringLiteral("Info"));
    MInfo->setGeometry(layout::RectOf(box));
    QPalette paper = MInfo->palette();
    paper.setColor(QPalette::Base, ToQColor(kPaperColour));
    MInfo->setPalette(paper);
    MInfo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MInfo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MInfo->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    MInfo->setWordWrapMode(QTextOption::WordWrap);
    QStringList lines;
    for (const std::string_view line : layout::kInfoLines)
        lines << Text(line);
    MInfo->setPlainText(lines.join(QLatin1Char('\n')));
    MInfo->setReadOnly(true);
    MInfo->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    MInfo->setFocusPolicy(Qt::StrongFocus);
    MInfo->setFocus();

    // The font comes last: a new font for text of several lines only marks the
    // lines for layout, so the font loads when the window is first shown, not
    // during start-up.
    setFont(layout::FontOf(layout::FontKind::Info));

    layout::PlaceWindowFrame(*this, layout::kInfoFrame);
}

} // namespace rollwerk
