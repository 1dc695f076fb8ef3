#include "lang/AssistantTexts.h"

#include "lang/Language.h"

namespace kordana {
namespace {

// English, German, French, Czech. Only English groups the thousands (as it does everywhere);
// Czech puts the count after its word, so no plural has to agree with it.
constexpr std::array<AssistantTexts, kLanguageCount> kAssistantTexts{
    AssistantTexts{"%1 samples",
                   "%1 used",
                   {"%1 not running", "%1 sensor error", "%1 tacho input", "%1 lambda railed",
                    "%1 no earlier frame", "%1 not steady", "%1 cold", "%1 post-start",
                    "%1 overrun", "%1 limiter"},
                   "; ",
                   ",",
                   "Fuel",
                   "Knock",
                   "%1: %2",
                   "%1 cells proposed",
                   "Log not read: %1",
                   "%1  samples: proposal",
                   "Samples: %1",
                   "Mean lambda: %1",
                   "Mean lambda voltage: %1 mV",
                   "Knock events: %1",
                   "Peak knock: %1 mV",
                   "Mean knock: %1 mV"},
    AssistantTexts{"%1 Messwerte",
                   "%1 verwendet",
                   {"%1 Motor steht", "%1 Sensorfehler", "%1 Eingang auf Tacho",
                    "%1 Lambda am Anschlag", "%1 ohne vorherigen Datensatz", "%1 nicht stationär",
                    "%1 kalt", "%1 Nachstart", "%1 Schubbetrieb", "%1 Begrenzer"},
                   "; ",
                   "",
                   "Kraftstoff",
                   "Klopfen",
                   "%1: %2",
                   "%1 Zellen mit Vorschlag",
                   "Protokoll nicht gelesen: %1",
                   "%1  Messwerte: Vorschlag",
                   "Messwerte: %1",
                   "Mittleres Lambda: %1",
                   "Mittlere Lambdaspannung: %1 mV",
                   "Klopfereignisse: %1",
                   "Klopfspitze: %1 mV",
                   "Mittleres Klopfen: %1 mV"},
    AssistantTexts{"%1 échantillons",
                   "%1 utilisés",
                   {"%1 moteur à l'arrêt", "%1 défaut capteur", "%1 entrée sur tacho",
                    "%1 lambda en butée", "%1 sans trame précédente", "%1 instables", "%1 à froid",
                    "%1 après démarrage", "%1 en décélération", "%1 au limiteur"},
                   " ; ",
                   "",
                   "Carburant",
                   "Cliquetis",
                   "%1 : %2",
                   "%1 cellules proposées",
                   "Journal non lu : %1",
                   "%1  échantillons : proposition",
                   "Échantillons : %1",
                   "Lambda moyen : %1",
                   "Tension lambda moyenne : %1 mV",
                   "Événements de cliquetis : %1",
                   "Cliquetis maximal : %1 mV",
                   "Cliquetis moyen : %1 mV"},
    AssistantTexts{"vzorků: %1",
                   "použito: %1",
                   {"motor neběží: %1", "chyba snímače: %1", "vstup na tacho: %1",
                    "lambda na mezi: %1", "bez předchozího rámce: %1", "neustálený stav: %1",
                    "studený motor: %1", "po startu: %1", "brzdění motorem: %1", "omezovač: %1"},
                   "; ",
                   "",
                   "Palivo",
                   "Klepání",
                   "%1 – %2",
                   "navržené buňky: %1",
                   "Záznam nelze načíst: %1",
                   "%1  vzorky: návrh",
                   "Vzorků: %1",
                   "Průměrná lambda: %1",
                   "Průměrné napětí lambda: %1 mV",
                   "Počet klepání: %1",
                   "Špička klepání: %1 mV",
                   "Průměrné klepání: %1 mV"},
};

} // namespace

AssistantTexts assistantTextsFor(std::uint8_t languageIndex) {
    return kAssistantTexts[safeLanguageIndex(languageIndex)];
}

} // namespace kordana
