#pragma once

#include "core/rgb.h"

#include <optional>

class QMimeData;

namespace tintwell::ui {

// The colour as other programs take it from a drag or the clipboard: as a
// colour (application/x-color, which Qt's colour dialogs read) and as the
// text "#RRGGBB" (for editors and terminals).
QMimeData* ColorMimeData(tintwell::Rgb color);

// The colour that dragged or pasted data carries: a colour, or a text that
// names one in a notation the program reads. Alpha is ignored.
std::optional<tintwell::Rgb> ColorFromMimeData(const QMimeData& data);

} // namespace tintwell::ui
