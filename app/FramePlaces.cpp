// Where the features' menu items and tool bar buttons go, and the pages they fill.
#include "app/FramePlaces.h"

#include "editors/PageDispatcher.h"

#include <QTabWidget>

namespace kordana {

namespace {

constexpr MenuPlace separatorNamed(const char* name) {
    return MenuPlace{name, true};
}

const std::vector<MenuPlaces> kMenus = {
    {"MenuFile",
     "&File",
     false,
     {{"MenuNew"},
      separatorNamed("N3"),
      {"MenuOpen"},
      {"MenuEarlierSets"},
      separatorNamed("N1"),
      {"MenuSave"},
      separatorNamed("N2"),
      {"MenuPrint"},
      {"MenuPrintPdf"},
      {"MenuTuneSheet"},
      separatorNamed("N4"),
      {"MenuExit"}}},
    {"MenuEdit",
     "&Edit",
     false,
     {{"MenuUndo"},
      {"MenuRedo"},
      separatorNamed("N5"),
      {"MenuInterpolateRows"},
      {"MenuInterpolateColumns"},
      {"MenuInterpolateCorners"},
      {"MenuSmooth"},
      {"MenuEditSelection"},
      separatorNamed("N6"),
      {"MenuCopyCells"},
      {"MenuPasteCells"}}},
    {"MenuView", "&View", false, {{"MenuHeatMap"}, {"MenuCursorTrail"}, {"MenuMap3D"}}},
    {"MenuCom", "&Com", true, {}},
    {"MenuDevice",
     "&Ignition",
     false,
     {{"MenuRead"}, {"MenuVerify"}, {"MenuProgram"}, {"MenuCompare"}}},
    {"MenuLog", "L&og", false, {{"MenuRecordLog"}, {"MenuLogMarker"}, {"MenuOpenLog"}}},
    {"Menu_Ign123Mode",
     "Ign 1-2-3",
     true,
     {{"Menu_Ign123Normal"}, {"Menu_Ign123Coupled"}, {"Menu_Ign123Stejny"}}},
    {"Menu_Jet123Mode",
     "Jet 1-2-3",
     true,
     {{"Menu_Jet123Normal"}, {"Menu_Jet123Coupled"}, {"Menu_Jet123Stejny"}}},
    {"MenuTools", "Tools", false, {{"MenuToolsMinus"}, {"MenuToolsPlus"}, {"MenuTuningAssistant"}}},
    {"MenuLanguage",
     "&Language",
     true,
     {{"MenuEnglish"}, {"MenuGerman"}, {"MenuCzech"}, {"MenuFrench"}}},
    {"MenuHelp", "&Help", false, {{"MenuContens"}, {"MenuAbout"}}},
};

// The tool bar's places: glyph buttons, then text buttons.
const char* const kToolPlaces[] = {"SpeedButton6",     "SpeedButton5",     "SpeedButton7",
                                   "SpeedButtonPrint", "ButtonRead",       "ButtonVerify",
                                   "ButtonProgram",    "SpeedButtonMarker"};

} // namespace

const std::vector<MenuPlaces>& menuPlaces() {
    return kMenus;
}

std::span<const char* const> toolBarPlaces() {
    return kToolPlaces;
}

void addPageSheets(QTabWidget& pages) {
    const char* const captions[PageDispatcher::kPageCount] = {"Ign 1",
                                                              "Ign 2",
                                                              "Ign 3",
                                                              "Jet 1A",
                                                              "Jet 2A",
                                                              "Jet 3A",
                                                              "Jet 1B",
                                                              "Jet 2B",
                                                              "Jet 3B",
                                                              "Position",
                                                              "Power Outputs - Servo",
                                                              "Knock",
                                                              "Various",
                                                              "Corrections"};
    const char* const names[] = {"TabSheet_Poloha", "TabSheet_Servo", "TabSheet_Knock",
                                 "TabSheet_Ruzne", "TabSheet_Korekce"};
    for (int p = 0; p < PageDispatcher::kPageCount; ++p) {
        auto* sheet = new QWidget(&pages);
        sheet->setObjectName(p < 9 ? QString("TabSheet_Map%1").arg(p) : QString(names[p - 9]));
        pages.addTab(sheet, captions[p]);
    }
}

} // namespace kordana
