#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace tintwell {

// The faults the program does not trap. None of them can happen with channels
// in range; if one does, the window reports it by name and the process ends.
enum class ErrorKind {
    Overflow,       // a number left the range of its integer type
    TypeMismatch,   // a text could not be read as a number
    ControlFailure, // a control refused an operation
};

std::string_view ErrorName(ErrorKind kind);

// A run-time error: what() names the error and says where it happened,
// e.g. "Overflow: packing the colour value".
class RunTimeError : public std::runtime_error {
public:
    RunTimeError(ErrorKind kind, std::string_view where);

    ErrorKind kind() const noexcept { return m_kind; }

private:
    ErrorKind m_kind;
};

} // namespace tintwell
