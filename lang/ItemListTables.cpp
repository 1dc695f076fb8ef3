#include "lang/ItemListTables.h"

#include <algorithm>
#include <array>

namespace kordana {
namespace {

using namespace std::string_view_literals;

constexpr std::array kBikeControls{"ComboBoxBike"sv};
// The item index is the motor-and-fuel preset number. The double blank before "98" is part of
// the texts.
constexpr std::array kBikeEnglish{"6 injectors fuel 100+ oct."sv, "6 injectors fuel  98 oct."sv,
                                  "3 injectors fuel 100+ oct."sv, "3 injectors fuel 98 oct."sv};
constexpr std::array kBikeGerman{
    "6 Einspritzdüsen Benzin 100+ oct."sv, "6 Einspritzdüsen Benzin  98 oct."sv,
    "3 Einspritzdüsen Benzin 100+ oct."sv, "3 Einspritzdüsen Benzin 98 oct."sv};
constexpr std::array kBikeCzech{"6 trysek benzin 100+ oct."sv, "6 trysek fuel  98 oct."sv,
                                "3 trysek fuel 100+ oct."sv, "3 trysek fuel 98 oct."sv};

constexpr std::array kPositionControls{"RadioGroupPolohaA"sv, "RadioGroupPolohaB"sv};
// The item index is the stored reference of injection position A or B.
constexpr std::array kPositionEnglish{"Beginning"sv, "Centre"sv, "End"sv};
constexpr std::array kPositionGerman{"Beginn"sv, "Mitte"sv, "Ende"sv};
constexpr std::array kPositionFrench{"Commencement"sv, "centre"sv, "Fin"sv};
constexpr std::array kPositionCzech{"Počátek"sv, "Střed"sv, "Konec"sv};

constexpr std::array kEarlierSetsControls{"ListEarlierSets"sv};
// The column headers of the list of earlier sets.
constexpr std::array kEarlierSetsEnglish{"Time"sv, "Replaced by"sv, "File"sv};
constexpr std::array kEarlierSetsGerman{"Zeit"sv, "Ersetzt durch"sv, "Datei"sv};
constexpr std::array kEarlierSetsFrench{"Heure"sv, "Remplacé par"sv, "Fichier"sv};
constexpr std::array kEarlierSetsCzech{"Čas"sv, "Nahrazeno"sv, "Soubor"sv};

constexpr std::array kAssistSensorControls{"ComboBoxAssistSensor"sv};
// The tuning assistant's lambda sensor; the item index is the sensor kind.
constexpr std::array kAssistSensorEnglish{"Narrowband"sv, "Wideband"sv};
constexpr std::array kAssistSensorGerman{"Schmalband"sv, "Breitband"sv};
constexpr std::array kAssistSensorFrench{"Bande étroite"sv, "Large bande"sv};
constexpr std::array kAssistSensorCzech{"Úzkopásmová"sv, "Širokopásmová"sv};

constexpr std::array kAssistBanksControls{"ComboBoxAssistBanks"sv};
// Which injector bank the assistant's fuel corrections go to, in the order of its choices.
constexpr std::array kAssistBanksEnglish{"Bank A"sv, "Bank B"sv, "Both banks"sv};
constexpr std::array kAssistBanksGerman{"Bank A"sv, "Bank B"sv, "Beide Bänke"sv};
constexpr std::array kAssistBanksFrench{"Rampe A"sv, "Rampe B"sv, "Les deux rampes"sv};
constexpr std::array kAssistBanksCzech{"Řada A"sv, "Řada B"sv, "Obě řady"sv};

constexpr std::array kTimelineControls{"ListTimeline"sv};
// The column headers of the tune library's timeline.
constexpr std::array kTimelineEnglish{"Time"sv, "Event"sv, "Unit"sv, "PC"sv, "Note"sv};
constexpr std::array kTimelineGerman{"Zeit"sv, "Ereignis"sv, "Zündung"sv, "PC"sv, "Notiz"sv};
constexpr std::array kTimelineFrench{"Heure"sv, "Événement"sv, "Boîtier"sv, "PC"sv, "Note"sv};
constexpr std::array kTimelineCzech{"Čas"sv, "Událost"sv, "Zapalování"sv, "PC"sv, "Poznámka"sv};

constexpr std::array kLogChannelsControls{"ListLogChannels"sv};
// The column headers of the log window's channel list.
constexpr std::array kLogChannelsEnglish{"Channel"sv, "Value"sv};
constexpr std::array kLogChannelsGerman{"Kanal"sv, "Wert"sv};
constexpr std::array kLogChannelsFrench{"Canal"sv, "Valeur"sv};
constexpr std::array kLogChannelsCzech{"Kanál"sv, "Hodnota"sv};
constexpr std::array kSerialDevicesControls{"ListSerialDevices"sv};
// The column headers of the list of serial devices.
constexpr std::array kSerialDevicesEnglish{"Device"sv, "Maker"sv, "Product"sv, "Serial number"sv,
                                           "Stable path"sv};
constexpr std::array kSerialDevicesGerman{"Gerät"sv, "Hersteller"sv, "Produkt"sv, "Seriennummer"sv,
                                          "Fester Pfad"sv};
constexpr std::array kSerialDevicesFrench{"Périphérique"sv, "Fabricant"sv, "Produit"sv,
                                          "Numéro de série"sv, "Chemin stable"sv};
constexpr std::array kSerialDevicesCzech{"Zařízení"sv, "Výrobce"sv, "Produkt"sv, "Sériové číslo"sv,
                                         "Stálá cesta"sv};

// French shows the English preset list: that is its own entry, not a fallback.
constexpr std::array kItemLists{
    ItemListRow{kBikeControls, {kBikeEnglish, kBikeGerman, kBikeEnglish, kBikeCzech}},
    ItemListRow{kPositionControls,
                {kPositionEnglish, kPositionGerman, kPositionFrench, kPositionCzech}},
    ItemListRow{kEarlierSetsControls,
                {kEarlierSetsEnglish, kEarlierSetsGerman, kEarlierSetsFrench, kEarlierSetsCzech}},
    ItemListRow{kLogChannelsControls,
                {kLogChannelsEnglish, kLogChannelsGerman, kLogChannelsFrench, kLogChannelsCzech}},
    ItemListRow{kTimelineControls,
                {kTimelineEnglish, kTimelineGerman, kTimelineFrench, kTimelineCzech}},
    ItemListRow{
        kSerialDevicesControls,
        {kSerialDevicesEnglish, kSerialDevicesGerman, kSerialDevicesFrench, kSerialDevicesCzech}},
    ItemListRow{
        kAssistSensorControls,
        {kAssistSensorEnglish, kAssistSensorGerman, kAssistSensorFrench, kAssistSensorCzech}},
    ItemListRow{kAssistBanksControls,
                {kAssistBanksEnglish, kAssistBanksGerman, kAssistBanksFrench, kAssistBanksCzech}},
};

} // namespace

std::span<const ItemListRow> itemListTable() {
    return kItemLists;
}

std::optional<std::span<const std::string_view>> itemsForControl(std::string_view control,
                                                                 std::uint8_t languageIndex) {
    for (const ItemListRow& row : kItemLists) {
        if (std::ranges::find(row.controls, control) != row.controls.end()) {
            return itemsFor(row, languageIndex);
        }
    }
    return std::nullopt;
}

} // namespace kordana
