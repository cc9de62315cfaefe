#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace fuzzing {

// A property failed: say which and abort, so libFuzzer keeps the input as a
// crash artifact.
[[noreturn]] inline void Fail(const std::string& what)
{
    std::fprintf(stderr, "\nFINDING: %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

// The text in quotes with every code unit outside printable ASCII escaped,
// so a report shows exactly what was typed.
inline std::string Quoted(std::u16string_view text)
{
    std::string quoted = "\"";
    for (const char16_t c : text) {
        if (c >= 0x20 && c < 0x7F && c != u'"' && c != u'\\') {
            quoted += static_cast<char>(c);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(c));
            quoted += escape;
        }
    }
    return quoted + "\"";
}

} // namespace fuzzing
