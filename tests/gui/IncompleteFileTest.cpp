// Open with a parameter file that lacks keys or whose values stop short: what is applied, what
// the status line says, and where the set then stands.
#include "CommandFixture.h"

#include "features/files/FilesFeature.h"
#include "params/ParameterTable.h"

#include <QLabel>

namespace kordana {
namespace {

using IncompleteFile = testing::CommandFixture;

const char* const kFirstTenKeys =
    "BIKE, LIMITER, POWER_OUT, NO_READING, RPM2, EXT_MON, MODE, ACT_LIM1, ACT_RPM, ACT_OIL, ...";

// A set that differs from the start's in a map, a limiter, the preset and an Ign 2 cell.
ParameterImage tunedImage(ParameterImage image) {
    image[layout::kBike] = 2;
    image[layout::kLimiter + 2] = 190;
    image[layout::mapCell(0, 4, 7)] = 41;
    image[layout::mapCell(1, 2, 3)] =
        static_cast<std::uint8_t>(image[layout::mapCell(1, 2, 3)] + 3);
    runConsistencyPass(image);
    return image;
}

// The file's text without the lines of `key` (its key line and the indented rows below it).
std::string withoutKey(std::string text, const std::string& key) {
    const std::size_t from = text.find("\n" + key + " ");
    std::size_t end = text.find('\n', from + 1);
    while (end < text.size() && text.compare(end, 14, "\n             ") == 0) {
        end = text.find('\n', end + 1);
    }
    return text.erase(from, end - from);
}

QString statusText(const TFormHlav& f) {
    return childNamed<QLabel>(f, "LabelHlaseni")->text();
}

QString setState(const TFormHlav& f) {
    return childNamed<QLabel>(f, "LabelSetState")->text();
}

TEST_F(IncompleteFile, MissingKeyKeepsItsBytesAndTheStatusLineSaysSo) {
    TFormHlav& f = openCommandForm();
    const ParameterImage before = f.session().image();
    const ParameterImage tuned = tunedImage(before);
    writeText(path("minus-ign2.ign"), withoutKey(IgnWriter::write(tuned, true), "IGN_2"));
    chosenPath = path("minus-ign2.ign");
    press(Qt::Key_F3);

    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(childNamed<QLabel>(f, "LabelFile2")->text(), path("minus-ign2.ign"));
    EXPECT_TRUE(childNamed<QLabel>(f, "LabelHlaseni")->isVisible());
    EXPECT_EQ(statusText(f),
              "The file held 49 of 50 keys; the other parameters kept their values: IGN_2");
    EXPECT_EQ(setState(f), "changed  |  unit: unknown");
    // Ign 2's cells as before, byte for byte; every other parameter as the file holds it.
    const ParameterImage& now = f.session().image();
    const std::size_t ign2 = layout::mapCell(1, 0, 0);
    for (std::size_t i = kBlockSize; i < kImageSize; ++i) {
        const bool keeps = (i >= ign2 && i < ign2 + 150) || elementNameAt(i).empty();
        ASSERT_EQ(now[i], keeps ? before[i] : tuned[i]) << i << " " << elementNameAt(i);
    }
    EXPECT_NE(now[layout::mapCell(1, 2, 3)], tuned[layout::mapCell(1, 2, 3)]);

    // Saved, the file holds the set on screen.
    ASSERT_TRUE(f.feature<FilesFeature>()->saveParameterFile(path("whole.ign")));
    EXPECT_EQ(setState(f), "saved  |  unit: unknown");
}

TEST_F(IncompleteFile, ValuesCutShortAndTheMagicLineAloneInEveryLanguage) {
    TFormHlav& f = openCommandForm();
    const ParameterImage before = f.session().image();
    const std::string whole = IgnWriter::write(tunedImage(before), false);
    // The file ends two numbers into ALARM.
    writeText(path("alarm.ign"), whole.substr(0, whole.find("\nALARM")) + "\nALARM 1600 60");
    writeText(path("magic.ign"), "VALMORIN_KEY    51 \n");

    chosenPath = path("alarm.ign");
    press(Qt::Key_F3);
    EXPECT_EQ(statusText(f), "Values cut short, the rest took the number read last: ALARM");
    EXPECT_EQ(setState(f), "changed  |  unit: unknown");
    EXPECT_EQ(f.session().image()[layout::kAlarm], 80);

    const struct {
        const char* language;
        const char* status;
        const char* state;
    } languages[] = {
        {"MenuEnglish", "The file held 0 of 50 keys; the other parameters kept their values: ",
         "changed  |  unit: unknown"},
        {"MenuGerman",
         "Die Datei enthielt 0 von 50 Schlüsseln; die übrigen Parameter behielten ihre Werte: ",
         "geändert  |  Zündung: unbekannt"},
        {"MenuFrench",
         "Le fichier contenait 0 clés sur 50; les autres réglages ont gardé leur valeur: ",
         "modifié  |  boîtier : inconnu"},
        {"MenuCzech", "Soubor obsahoval 0 z 50 klíčů; ostatní parametry si ponechaly své hodnoty: ",
         "změněno  |  zapalování: neznámé"},
    };
    for (const auto& l : languages) {
        SCOPED_TRACE(l.language);
        f.action(l.language)->trigger();
        const ParameterImage shown = f.session().image();
        chosenPath = path("magic.ign");
        press(Qt::Key_F3);
        EXPECT_EQ(statusText(f), QString(l.status) + kFirstTenKeys);
        EXPECT_EQ(setState(f), l.state);
        EXPECT_EQ(f.session().image(), shown) << "the magic line alone changes no byte";
    }
}

TEST_F(IncompleteFile, WholeFileIsSavedAndSaysNothing) {
    TFormHlav& f = openCommandForm();
    EXPECT_EQ(setState(f), "not saved  |  unit: unknown") << "a first start has no file";
    const struct {
        const char* language;
        const char* state;
    } firstStart[] = {
        {"MenuGerman", "nicht gespeichert  |  Zündung: unbekannt"},
        {"MenuFrench", "non enregistré  |  boîtier : inconnu"},
        {"MenuCzech", "neuloženo  |  zapalování: neznámé"},
        {"MenuEnglish", "not saved  |  unit: unknown"},
    };
    for (const auto& l : firstStart) {
        f.action(l.language)->trigger();
        EXPECT_EQ(setState(f), l.state) << l.language;
    }
    // Any key order, CRLF line ends and unknown words: still the whole set.
    const std::string whole = IgnWriter::write(tunedImage(f.session().image()), false);
    const std::size_t maps = whole.find("\nRPM_IGN_1");
    std::string crlf;
    for (const char c :
         whole.substr(0, 20) + "LATER_KEY 4 " + whole.substr(maps) + whole.substr(20, maps - 20)) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    writeText(path("crlf.ign"), crlf);
    chosenPath = path("crlf.ign");
    press(Qt::Key_F3);
    EXPECT_EQ(setState(f), "saved  |  unit: unknown");
    EXPECT_FALSE(childNamed<QLabel>(f, "LabelHlaseni")->isVisible());
    EXPECT_EQ(f.session().image()[layout::kLimiter + 2], 190);
}

} // namespace
} // namespace kordana
