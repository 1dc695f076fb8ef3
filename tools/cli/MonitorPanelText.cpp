#include "tools/cli/MonitorPanelText.h"

#include "lang/CaptionTables.h"

#include <array>
#include <initializer_list>

namespace kordana {

namespace {

using Id = MonitorLabelId;

// The panel's groups, one printed line each.
const std::array<std::initializer_list<Id>, 10> kLines{{
    {Id::Rpm, Id::Lambda, Id::TpsMon, Id::MaxInjProcent},
    {Id::MonIgn1, Id::MonIgn2, Id::MonIgn3},
    {Id::MonJet1A, Id::MonJet2A, Id::MonJet3A},
    {Id::MonJet1B, Id::MonJet2B, Id::MonJet3B},
    {Id::Tlak, Id::Voda, Id::Vzduch, Id::Napeti},
    {Id::MonPolohaA, Id::MonPolohaB, Id::ServoPoz, Id::ServoMer},
    {Id::Limiter1, Id::TachoLambda, Id::TlakOleje},
    {Id::KorVoda, Id::KorVzduch, Id::KorTlak, Id::KorSytic, Id::KorNapeti},
    {Id::KnockMon1, Id::KnockMon2, Id::KnockMon3, Id::PowerOut1, Id::PowerOut2, Id::PowerOut3},
    {Id::PocetProgramovani, Id::Version, Id::EeDataErr, Id::Test1, Id::Test2, Id::Test3, Id::Test4,
     Id::Test5, Id::Test6, Id::Test7, Id::Test8},
}};

std::string_view colourName(MonitorColour colour) {
    switch (colour) {
    case MonitorColour::Normal:
        return "";
    case MonitorColour::Red:
        return "red";
    case MonitorColour::Yellow:
        return "yellow";
    case MonitorColour::Lime:
        return "lime";
    case MonitorColour::Aqua:
        return "aqua";
    case MonitorColour::Fuchsia:
        return "fuchsia";
    case MonitorColour::White:
        return "white";
    }
    return "";
}

// The caption a label keeps when the monitor does not write its text.
std::string fixedCaption(Id id, std::string_view objectName) {
    if (id == Id::PowerOut1 || id == Id::PowerOut2 || id == Id::PowerOut3) {
        const int n = static_cast<int>(id) - static_cast<int>(Id::PowerOut1) + 1;
        return "Power Out " + std::to_string(n);
    }
    const auto caption = captionForControl(objectName, 0);
    return caption ? std::string(*caption) : std::string(objectName);
}

std::string labelText(Id id, const MonitorLabel& label) {
    std::string text = label.setsText ? label.text : fixedCaption(id, label.objectName);
    if (label.setsColour && label.colour != MonitorColour::Normal) {
        text += " [" + std::string(colourName(label.colour)) + "]";
    }
    return text;
}

} // namespace

std::vector<std::string> monitorPanelLines(const MonitorDisplay& display) {
    std::vector<std::string> lines;
    for (const auto& ids : kLines) {
        std::string line;
        for (const Id id : ids) {
            const MonitorLabel& label = display.label(id);
            if (label.setsVisible && !label.visible) {
                continue;
            }
            if (!line.empty()) {
                line += " | ";
            }
            line += labelText(id, label);
        }
        if (!line.empty()) {
            lines.push_back(std::move(line));
        }
    }
    return lines;
}

} // namespace kordana
