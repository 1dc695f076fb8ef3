#include "lang/KnockLists.h"

#include <array>

namespace kordana {
namespace {

using namespace std::string_view_literals;

constexpr std::array kFrequencies{
    "1.22"sv,  "1.26"sv,  "1.31"sv,  "1.35"sv,  "1.40"sv,  "1.45"sv,  "1.51"sv,  "1.57"sv,
    "1.63"sv,  "1.71"sv,  "1.78"sv,  "1.87"sv,  "1.96"sv,  "2.07"sv,  "2.18"sv,  "2.31"sv,
    "2.46"sv,  "2.54"sv,  "2.62"sv,  "2.71"sv,  "2.81"sv,  "2.92"sv,  "3.03"sv,  "3.15"sv,
    "3.28"sv,  "3.43"sv,  "3.59"sv,  "3.76"sv,  "3.95"sv,  "4.16"sv,  "4.39"sv,  "4.66"sv,
    "4.95"sv,  "5.12"sv,  "5.29"sv,  "5.48"sv,  "5.68"sv,  "5.90"sv,  "6.12"sv,  "6.37"sv,
    "6.64"sv,  "6.94"sv,  "7.27"sv,  "7.63"sv,  "8.02"sv,  "8.46"sv,  "8.95"sv,  "9.50"sv,
    "10.12"sv, "10.46"sv, "10.83"sv, "11.22"sv, "11.65"sv, "12.10"sv, "12.60"sv, "13.14"sv,
    "13.72"sv, "14.36"sv, "15.07"sv, "15.84"sv, "16.71"sv, "17.67"sv, "18.76"sv, "19.98"sv};
constexpr std::array kGains{
    "2.000"sv, "1.882"sv, "1.778"sv, "1.684"sv, "1.600"sv, "1.523"sv, "1.455"sv, "1.391"sv,
    "1.333"sv, "1.280"sv, "1.231"sv, "1.185"sv, "1.143"sv, "1.063"sv, "1.000"sv, "0.944"sv,
    "0.895"sv, "0.850"sv, "0.810"sv, "0.773"sv, "0.739"sv, "0.708"sv, "0.680"sv, "0.654"sv,
    "0.630"sv, "0.607"sv, "0.586"sv, "0.567"sv, "0.548"sv, "0.500"sv, "0.471"sv, "0.444"sv,
    "0.421"sv, "0.400"sv, "0.381"sv, "0.364"sv, "0.348"sv, "0.333"sv, "0.320"sv, "0.308"sv,
    "0.296"sv, "0.286"sv, "0.276"sv, "0.267"sv, "0.258"sv, "0.250"sv, "0.236"sv, "0.222"sv,
    "0.211"sv, "0.200"sv, "0.190"sv, "0.182"sv, "0.174"sv, "0.167"sv, "0.160"sv, "0.154"sv,
    "0.148"sv, "0.143"sv, "0.138"sv, "0.133"sv, "0.129"sv, "0.125"sv, "0.118"sv, "0.111"sv};
constexpr std::array kTimeConstants{"40"sv,  "45"sv,  "50"sv,  "55"sv,  "60"sv,  "65"sv,  "70"sv,
                                    "75"sv,  "80"sv,  "90"sv,  "100"sv, "110"sv, "120"sv, "130"sv,
                                    "140"sv, "150"sv, "160"sv, "180"sv, "200"sv, "220"sv, "240"sv,
                                    "260"sv, "280"sv, "300"sv, "320"sv, "360"sv, "400"sv, "440"sv,
                                    "480"sv, "520"sv, "560"sv, "600"sv};
constexpr std::array kRowCaptions{
    "RPM"sv,     "Knock Fr. [kHz]"sv, "Gain"sv, "Time const. [us]"sv, "Start [°]"sv,
    "End [°]"sv, "Alarm level [mV]"sv};

static_assert(kFrequencies.size() == 64 && kGains.size() == 64 && kTimeConstants.size() == 32);

} // namespace

std::span<const std::string_view> knockFrequencyItems() {
    return kFrequencies;
}

std::span<const std::string_view> knockGainItems() {
    return kGains;
}

std::span<const std::string_view> knockTimeConstantItems() {
    return kTimeConstants;
}

std::span<const std::string_view> knockRowCaptions() {
    return kRowCaptions;
}

} // namespace kordana
