#include "fuzz/user_actions.h"

#include "fuzz/finding.h"

#include <string_view>

namespace fuzzing {

namespace {

// Mostly digits, so that typed text is often a number; the rest is what a
// reader of numbers must either take right or refuse.
constexpr std::u16string_view kAlphabet = u"01234567890123456789-+.,eE \tabF\u00A0";
constexpr std::size_t kMaxTypedLength = 12;

template <class... Handlers>
struct Overloaded : Handlers... {
    using Handlers::operator()...;
};
template <class... Handlers>
Overloaded(Handlers...) -> Overloaded<Handlers...>;

} // namespace

std::uint8_t ActionReader::Take()
{
    if (m_bytes.empty())
        return 0;
    const std::uint8_t byte = m_bytes.front();
    m_bytes = m_bytes.subspan(1);
    return byte;
}

std::optional<UserAction> ActionReader::Next()
{
    if (m_bytes.empty())
        return std::nullopt;
    const std::uint8_t op = Take();
    const unsigned kind = op & 7U;
    const unsigned control = op >> 3U;
    if (kind <= 1)
        return MoveSlider{tintwell::kSliders[control % tintwell::kSliders.size()], Take()};
    if (kind == 7)
        return ClickWebSafe{};

    TypeText typing{tintwell::kBoxes[control % tintwell::kBoxes.size()], {}};
    const std::size_t length = Take() % (kMaxTypedLength + 1);
    for (std::size_t i = 0; i < length && !m_bytes.empty(); ++i)
        typing.text += kAlphabet[Take() % kAlphabet.size()];
    return typing;
}

std::string Describe(const UserAction& action)
{
    return std::visit(
        Overloaded{
            [](const MoveSlider& move) {
                return std::string(tintwell::ControlName(move.slider)) + " to " + std::to_string(move.value);
            },
            [](const TypeText& typing) {
                return "type " + Quoted(typing.text) + " into " + std::string(tintwell::ControlName(typing.box));
            },
            [](const ClickWebSafe&) {
                return "click " + std::string(tintwell::ControlName(tintwell::CheckBox::chkWebSafe));
            },
        },
        action);
}

} // namespace fuzzing
