#include "ui/colour_mime.h"

#include "core/color_notation.h"

#include <QColor>
#include <QMimeData>

namespace ui {

QMimeData* ColourMimeData(tintwell::Rgb colour)
{
    auto* data = new QMimeData;
    data->setColorData(QColor(colour.red, colour.green, colour.blue));
    data->setText(QString::fromStdU16String(tintwell::HexNotation(colour)));
    return data;
}

std::optional<tintwell::Rgb> ColourFromMimeData(const QMimeData& data)
{
    if (data.hasColor()) {
        const QColor colour = data.colorData().value<QColor>().toRgb();
        if (colour.isValid())
            return tintwell::Rgb{colour.red(), colour.green(), colour.blue()};
    }
    if (data.hasText())
        return tintwell::ParseColorNotation(data.text().toStdU16String());
    return std::nullopt;
}

} // namespace ui
