#include "ui/color_mime.h"

#include "core/color_notation.h"

#include <QColor>
#include <QMimeData>

namespace tintwell::ui {

QMimeData* ColorMimeData(tintwell::Rgb color)
{
    auto* data = new QMimeData;
    data->setColorData(QColor(color.red, color.green, color.blue));
    data->setText(QString::fromStdU16String(tintwell::HexNotation(color)));
    return data;
}

std::optional<tintwell::Rgb> ColorFromMimeData(const QMimeData& data)
{
    if (data.hasColor()) {
        const QColor color = data.colorData().value<QColor>().toRgb();
        if (color.isValid())
            return tintwell::Rgb{color.red(), color.green(), color.blue()};
    }
    if (data.hasText())
        return tintwell::ParseColorNotation(data.text().toStdU16String());
    return std::nullopt;
}

} // namespace tintwell::ui
