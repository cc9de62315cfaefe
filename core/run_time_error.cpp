#include "core/run_time_error.h"

namespace tintwell {

std::string_view ErrorName(ErrorKind kind)
{
    switch (kind) {
    case ErrorKind::Overflow:
        return "Overflow";
    case ErrorKind::TypeMismatch:
        return "Type mismatch";
    case ErrorKind::ControlFailure:
        return "Control failure";
    }
    return "Unknown error";
}

namespace {

std::string Describe(ErrorKind kind, std::string_view where)
{
    std::string message(ErrorName(kind));
    if (!where.empty()) {
        message += ": ";
        message += where;
    }
    return message;
}

} // namespace

RunTimeError::RunTimeError(ErrorKind kind, std::string_view where)
    : std::runtime_error(Describe(kind, where)), m_kind(kind)
{
}

} // namespace tintwell
