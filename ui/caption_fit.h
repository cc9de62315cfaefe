#pragma once

#include <QFont>
#include <QList>
#include <QString>

class QWidget;

namespace tintwell::ui {

// A text a control has to show whole: its caption, or the widest text a
// box is ever given.
struct Caption {
    const QWidget* control;
    QString text;
};

// The room a control leaves for its text: the width beside a check box's
// indicator, inside a box's frame and margins, of a label, or of a group
// frame's title; and the height of its line.
QSize CaptionRoom(const QWidget& control);

// Whether `caption` shows whole in `font`.
bool CaptionFits(const Caption& caption, const QFont& font);

// `preferred` at its own pixel size or at `largestPixelSize`, whichever is
// smaller.
QFont CappedFont(QFont preferred, int largestPixelSize);

// `font`, a pixel smaller at a time, until every caption fits in it. Wider
// desktop fonts get a size or two less than the layout was drawn for.
QFont ShrunkToFit(QFont font, const QList<Caption>& captions);

} // namespace tintwell::ui
