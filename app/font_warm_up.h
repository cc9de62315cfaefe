#pragma once

#include <thread>

namespace tintwell::app {

// Starts the font system on a thread of its own: fontconfig reads its
// configuration and font caches while the main thread opens the display,
// instead of after it, when the first widget asks for a font. Join the thread
// before the first widget is built.
[[nodiscard]] std::jthread WarmUpFonts();

} // namespace tintwell::app
