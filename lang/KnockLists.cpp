#include "lang/KnockLists.h"

#include <array>

namespace kordana {
namespace {

using namespace std::string_view_literals;

constexpr std::array kRowCaptions{
    "RPM"sv,     "Knock Fr. [kHz]"sv, "Gain"sv, "Time const. [us]"sv, "Start [°]"sv,
    "End [°]"sv, "Alarm level [mV]"sv};

} // namespace

std::span<const std::string_view> knockRowCaptions() {
    return kRowCaptions;
}

} // namespace kordana
