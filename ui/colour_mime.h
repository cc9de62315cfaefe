#pragma once

#include "core/rgb.h"

#include <optional>

class QMimeData;

namespace ui {

// The colour as other programs take it from a drag or the clipboard: as a
// colour (application/x-color, which Qt's colour dialogs read) and as the
// text "#RRGGBB" (for editors and terminals).
QMimeData* ColourMimeData(tintwell::Rgb colour);

// The colour that dragged or pasted data carries: a colour, or a text that
// names one in a notation the program reads. Alpha is ignored.
std::optional<tintwell::Rgb> ColourFromMimeData(const QMimeData& data);

} // namespace ui
