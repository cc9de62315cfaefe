#pragma once

#include <exception>
#include <utility>

class QWidget;

namespace tintwell::ui {

// Show a run-time error in a plain message box that names it, then end the
// process with status 1. Nothing after an unexpected error can be trusted,
// so nothing more runs: no handler, no saving.
[[noreturn]] void ReportError(QWidget* window, const std::exception& error);
[[noreturn]] void ReportUnknownError(QWidget* window);

// Runs one event handler. This is the only place errors are caught: one that
// escapes the handler is reported and ends the process here, so no
// exception ever crosses into the toolkit's event loop.
template <typename Handler>
void RunHandler(QWidget* window, Handler&& handler) noexcept
{
    try {
        std::forward<Handler>(handler)();
    } catch (const std::exception& error) {
        ReportError(window, error);
    } catch (...) {
        ReportUnknownError(window);
    }
}

} // namespace tintwell::ui
