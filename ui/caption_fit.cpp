#include "ui/caption_fit.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFrame>

#include <algorithm>

namespace tintwell::ui {

namespace {

// A line edit keeps this much blank on each side of its text, inside the frame.
constexpr int kLineEditMargin = 2;
// A group frame's title is inset from both of its edges by about this much.
constexpr int kGroupTitleInset = 8;
constexpr int kSmallestPixelSize = 6;

} // namespace

QSize CaptionRoom(const QWidget& control)
{
    const QStyle* style = control.style();
    if (const auto* box = qobject_cast<const QCheckBox*>(&control)) {
        QStyleOptionButton option;
        option.initFrom(box);
        option.text = box->text();
        return {style->subElementRect(QStyle::SE_CheckBoxContents, &option, box).width(), box->height()};
    }
    if (const auto* edit = qobject_cast<const QLineEdit*>(&control)) {
        QStyleOptionFrame option;
        option.initFrom(edit);
        option.lineWidth = style->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
        const QRect contents =
            style->subElementRect(QStyle::SE_LineEditContents, &option, edit).marginsRemoved(edit->textMargins());
        return {contents.width() - 2 * kLineEditMargin, contents.height()};
    }
    if (const auto* group = qobject_cast<const QGroupBox*>(&control))
        return {group->width() - 2 * kGroupTitleInset, group->height()};
    return control.contentsRect().size();
}

bool CaptionFits(const Caption& caption, const QFont& font)
{
    const QFontMetrics metrics(font);
    const QSize room = CaptionRoom(*caption.control);
    return metrics.horizontalAdvance(caption.text) <= room.width() && metrics.height() <= room.height();
}

QFont CappedFont(QFont preferred, int largestPixelSize)
{
    // Worked out rather than asked of a loaded font: loading one at a size
    // that is then not used costs start-up time.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int ownSize =
        preferred.pixelSize() > 0
            ? preferred.pixelSize()
            : qRound(preferred.pointSizeF() * (screen != nullptr ? screen->logicalDotsPerInch() : 96.0) / 72.0);
    preferred.setPixelSize(std::min(ownSize, largestPixelSize));
    return preferred;
}

QFont ShrunkToFit(QFont font, const QList<Caption>& captions)
{
    const auto fits = [&](const Caption& caption) { return CaptionFits(caption, font); };
    for (int size = font.pixelSize(); size > kSmallestPixelSize; --size) {
        font.setPixelSize(size);
        if (std::all_of(captions.begin(), captions.end(), fits))
            return font;
    }
    font.setPixelSize(kSmallestPixelSize);
    return font;
}

} // namespace tintwell::ui
