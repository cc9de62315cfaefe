#pragma once

#include "platform/screen_picker.h"

#include <QString>

namespace tintwell::ui {

// The short note beside the swatch saying why a pick gave no colour: what
// the desktop lacks, or what the user can do about it.
QString PickNote(platform::PickFailure why);

} // namespace tintwell::ui
