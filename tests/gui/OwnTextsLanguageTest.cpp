// The program's own texts (the newer windows, the monitor panel's group titles, the comparison)
// follow the language menu into German, French and Czech, and back to English.
#include "FormFixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>

#include <array>

namespace kordana {
namespace {

using OwnTextsLanguage = testing::FormFixture;

enum class Part { Title, Text, Item1, Item2 };

struct Sample {
    const char* control;
    Part part;
    std::array<const char*, 4> text; // English, German, French, Czech
};

// A sample of every window of our own, typed from what a speaker of each language would read.
const Sample kSamples[] = {
    {"FormCompare",
     Part::Title,
     {"Compare with unit", "Unterschiede zum Gerät", "Comparaison avec l´appareil",
      "Porovnání s jednotkou"}},
    {"ButtonCompareTake",
     Part::Text,
     {"Take the unit's values", "Werte der Zündung übernehmen", "Reprendre les valeurs du boîtier",
      "Převzít hodnoty ze zapalování"}},
    {"ButtonCompareClose", Part::Text, {"Close", "Schließen", "Fermer", "Zavřít"}},
    {"PanelMonEngineTitle", Part::Text, {"Engine", "Motor", "Moteur", "Motor"}},
    {"PanelMonOutputsTitle",
     Part::Text,
     {"Ignition and injection", "Zündung und Einspritzung", "Allumage et injection",
      "Zapalování a vstřik"}},
    {"PanelMonSensorsTitle", Part::Text, {"Sensors", "Sensoren", "Capteurs", "Snímače"}},
    {"PanelMonKnockTitle",
     Part::Text,
     {"Knock, power outputs, servo", "Klopfen, Leistungsausgänge, Servo",
      "Cliquetis, sorties de puissance, servo", "Klepání, výkonové výstupy, servo"}},
    {"FormEarlierSets",
     Part::Title,
     {"Earlier sets", "Frühere Sätze", "Jeux précédents", "Dřívější sady"}},
    {"FormAssignDevice",
     Part::Title,
     {"Assign serial device", "Serielles Gerät zuordnen", "Attribuer un périphérique série",
      "Přiřadit sériové zařízení"}},
    {"LabelAssignCom", Part::Text, {"COM number:", "COM-Nummer:", "Numéro COM :", "Číslo COM:"}},
    {"FormAssistant",
     Part::Title,
     {"Tuning assistant", "Abstimmassistent", "Assistant de réglage", "Asistent ladění"}},
    {"GroupBoxAssistSettings", Part::Title, {"Settings", "Einstellungen", "Réglages", "Nastavení"}},
    {"ComboBoxAssistSensor",
     Part::Item2,
     {"Wideband", "Breitband", "Large bande", "Širokopásmová"}},
    {"ComboBoxAssistBanks", Part::Item1, {"Bank A", "Bank A", "Rampe A", "Řada A"}},
    {"FormLog",
     Part::Title,
     {"Monitor log", "Monitorprotokoll", "Journal du moniteur", "Záznam monitoru"}},
};

QString shownText(const QWidget& window, const Sample& sample) {
    QObject* object = window.findChild<QObject*>(sample.control);
    if (object == nullptr) {
        return "<missing>";
    }
    if (auto* combo = qobject_cast<QComboBox*>(object)) {
        return combo->itemText(sample.part == Part::Item1 ? 0 : 1);
    }
    if (auto* group = qobject_cast<QGroupBox*>(object)) {
        return group->title();
    }
    if (auto* label = qobject_cast<QLabel*>(object)) {
        return label->text();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(object)) {
        return button->text();
    }
    return qobject_cast<QWidget*>(object)->windowTitle();
}

TEST_F(OwnTextsLanguage, OwnTextsFollowEveryLanguage) {
    TFormHlav& form = createForm();
    auto* banks = form.findChild<QComboBox*>("ComboBoxAssistBanks");
    ASSERT_NE(banks, nullptr);
    banks->setCurrentIndex(2);
    const char* const items[] = {"MenuEnglish", "MenuGerman", "MenuFrench", "MenuCzech"};
    for (int language : {1, 2, 3, 0}) {
        form.action(items[language])->trigger();
        for (const Sample& sample : kSamples) {
            EXPECT_EQ(shownText(form, sample), QString::fromUtf8(sample.text[language]))
                << sample.control << " in language " << language;
        }
        // A window's own choice outlives the new item texts.
        EXPECT_EQ(banks->currentIndex(), 2) << language;
    }
}

// The map grid's corner says the unit of the map shown; fields whose captions give no unit have
// it beside them.
TEST_F(OwnTextsLanguage, UnitsStandInTheMapCornerAndBesideTheFields) {
    TFormHlav& form = createForm();
    auto* pages = form.findChild<QTabWidget*>("PageControl1");
    auto* corner = form.findChild<QLabel*>("LabelMapUnit");
    ASSERT_NE(corner, nullptr);
    const struct {
        int page;
        const char* text;
    } cases[] = {{0, "[deg]"}, {2, "[deg]"}, {3, "[µs]"}, {8, "[µs]"}, {1, "[deg]"}};
    for (const auto& c : cases) {
        pages->setCurrentIndex(c.page);
        EXPECT_EQ(corner->text(), QString::fromUtf8(c.text)) << c.page;
        EXPECT_TRUE(corner->isVisibleTo(&form)) << c.page;
    }
    EXPECT_EQ(form.findChild<QLabel*>("LabelStartJetUnit")->text(), "ms");
    EXPECT_EQ(form.findChild<QLabel*>("LabelTempWarningUnit")->text(), QString::fromUtf8("°C"));
    EXPECT_EQ(form.findChild<QLabel*>("LabelVodaVzduchUnit")->text(), "[%]");
}

} // namespace
} // namespace kordana
