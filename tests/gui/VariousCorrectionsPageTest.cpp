#include "MapFixture.h"

#include "features/files/FilesFeature.h"
#include "params/IgnWriter.h"

#include <QCheckBox>
#include <QFile>
#include <QImage>
#include <QRegularExpression>

namespace kordana {
namespace {

class VariousCorrectionsPage : public testing::MapFixture {
protected:
    UpDownEdit* field(const char* name) { return childNamed<UpDownEdit>(form(), name); }
    void clickBox(QCheckBox* box) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
    }
};

TEST_F(VariousCorrectionsPage, RefreshThenHarvestLeavesAValidImageAsItWas) {
    TFormHlav& f = openForm();
    // Ends of the controls' ranges, where a wrong conversion or range would show first.
    const struct {
        std::size_t index;
        std::uint8_t value;
    } bytes[] = {
        {layout::kLimiter, 18},      {layout::kLimiter + 2, 250}, {layout::kNoReading, 1},
        {layout::kActLim1, 0},       {layout::kActOil, 1},        {layout::kTps, 30},
        {layout::kTps + 1, 240},     {layout::kAccel, 1},         {layout::kAccel + 1, 150},
        {layout::kTempWarning, 110}, {layout::kDruck + 9, 250},   {layout::kDruck + 10, 10},
        {layout::kRetard, 90},       {layout::kRetard + 19, 110}, {layout::kChoke + 4, 250},
        {layout::kWaterTemp, 10},    {layout::kAirTemp + 4, 250},
    };
    for (const auto& byte : bytes) {
        setImageByte(f, byte.index, byte.value);
    }
    f.ConsistencyPass();
    const ParameterImage valid = f.session().image();
    for (const auto& byte : bytes) {
        ASSERT_EQ(valid[byte.index], byte.value) << "not a valid image at " << byte.index;
    }
    const struct {
        int page;
        const char* field; // one control of the page and what it shows for `bytes`
        const char* shown;
    } pages[] = {{12, "EditTps100", "4900"}, {13, "EditRetardTeplota0", "-10"}};
    for (const auto& page : pages) {
        SCOPED_TRACE(page.page);
        clickTab(page.page);
        ASSERT_EQ(f.activePageIndex(), page.page);
        EXPECT_EQ(text(field(page.field)), page.shown);
        f.PageHarvest();
        std::size_t firstChanged = kImageSize;
        for (std::size_t i = kImageSize; i-- > 0;) {
            firstChanged = f.session().image()[i] != valid[i] ? i : firstChanged;
        }
        EXPECT_EQ(firstChanged, kImageSize) << "byte " << firstChanged << " changed";
    }
}

TEST_F(VariousCorrectionsPage, Tps100BetweenStepsStoresZeroAndShows2500) {
    TFormHlav& f = openForm();
    setImageByte(f, layout::kTps + 1, 197); // 4470 mV
    clickTab(12);
    UpDownEdit* tps100 = field("EditTps100");
    ASSERT_EQ(text(tps100), "4470");
    typeAndEnter(tps100, "2505");
    EXPECT_EQ(StoredByte(f, layout::kTps + 1), 0); // 2505 / 10 = 250, less 250
    EXPECT_EQ(text(tps100), "2500");
}

TEST_F(VariousCorrectionsPage, ClearingTachoLambdaActivationSavesZero) {
    TFormHlav& f = openForm();
    setImageByte(f, layout::kActRpm, 0); // the byte holds the inverse: shown checked
    clickTab(12);
    auto* box = childNamed<QCheckBox>(f, "CheckBoxAktRpm");
    ASSERT_TRUE(box->isChecked());
    clickBox(box);
    EXPECT_FALSE(box->isChecked());
    EXPECT_EQ(StoredByte(f, layout::kActRpm), 1);

    const QString path = m_dir.path() + "/activation.ign";
    ASSERT_TRUE(f.feature<FilesFeature>()->saveParameterFile(path));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QString saved = QString::fromLatin1(file.readAll());
    const QRegularExpressionMatch line =
        QRegularExpression(R"(^ACT_RPM +(\d+) *$)", QRegularExpression::MultilineOption)
            .match(saved);
    ASSERT_TRUE(line.hasMatch()) << saved.toStdString();
    EXPECT_EQ(line.captured(1), "0");
}

TEST_F(VariousCorrectionsPage, ReadProtectionIsRedWhileChecked) {
    TFormHlav& f = openForm();
    setImageByte(f, layout::kNoReading, 0);
    clickTab(12);
    auto* box = childNamed<QCheckBox>(f, "CheckBoxZakazCteni");
    // What is drawn: the share of the box's pixels that are pure red.
    const auto redShare = [box] {
        const QImage picture = box->grab().toImage();
        int red = 0;
        for (int y = 0; y < picture.height(); ++y) {
            for (int x = 0; x < picture.width(); ++x) {
                red += picture.pixelColor(x, y) == QColor(Qt::red) ? 1 : 0;
            }
        }
        return static_cast<double>(red) / (picture.width() * picture.height());
    };
    const auto colour = [&] { return redShare() > 0.5 ? QColor(Qt::red) : QColor(); };
    ASSERT_FALSE(box->isChecked());
    EXPECT_NE(colour(), QColor(Qt::red));

    nextAnswer = TFormHlav::Answer::Yes; // checking it is confirmed first
    clickBox(box);
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(StoredByte(f, layout::kNoReading), 1);
    EXPECT_EQ(colour(), QColor(Qt::red));
    EXPECT_TRUE(box->autoFillBackground());

    clickBox(box);
    EXPECT_EQ(StoredByte(f, layout::kNoReading), 0);
    EXPECT_NE(colour(), QColor(Qt::red));

    setImageByte(f, layout::kNoReading, 1); // as a file or the unit sets it
    f.PageRefresh();
    EXPECT_TRUE(box->isChecked());
    EXPECT_EQ(colour(), QColor(Qt::red));
}

// The Position page's reference choices belong to that page: a commit on the Various page
// right after a file was opened keeps the file's choices, however the radio groups stood, and
// so does leaving the Various page for the Position page (the field left behind commits
// before the Position page shows the file).
TEST_F(VariousCorrectionsPage, CommitKeepsTheReferencesOfAFileJustOpened) {
    TFormHlav& f = openForm();
    clickTab(9);
    clickTab(12); // the radio groups show the defaults' choices
    ParameterImage image = f.session().image();
    image[layout::kPositionARef] = 2; // "End"
    image[layout::kPositionBRef] = 0; // "Beginning"
    image[layout::kStartJet] = 7;
    const QString path = m_dir.path() + "/references.ign";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromStdString(IgnWriter::write(image, false)));
    file.close();
    ASSERT_TRUE(f.feature<FilesFeature>()->openParameterFile(path));
    ASSERT_EQ(StoredByte(f, layout::kPositionARef), 2);

    typeAndEnter(field("EditStartJet"), "9");
    EXPECT_EQ(StoredByte(f, layout::kStartJet), 9);
    EXPECT_EQ(StoredByte(f, layout::kPositionARef), 2);
    EXPECT_EQ(StoredByte(f, layout::kPositionBRef), 0);
    clickTab(9);
    clickTab(12);
    EXPECT_EQ(StoredByte(f, layout::kPositionARef), 2);
    EXPECT_EQ(StoredByte(f, layout::kPositionBRef), 0);
}

TEST_F(VariousCorrectionsPage, PressureRowsKeepTheirRangeAndTheirOrder) {
    const struct {
        const char* row;
        const char* typed;
        std::size_t checked; // DRUCK element shown in `expected`
        const char* expected;
    } cases[] = {
        {"EditTlak3", "50", 3, "81"},   // below row 2 (80): row 2 + 1
        {"EditTlak8", "246", 9, "247"}, // row 9 (210) now below row 8: pushed to 246 + 1
        {"EditTlak0", "9", 0, "40"},    // row 0 takes 10..241: not taken
        {"EditTlak9", "251", 9, "210"}, // row 9 takes 19..250: not taken
    };
    TFormHlav& f = openForm();
    clickTab(13);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.row);
        const int pressures[] = {40, 60, 80, 100, 120, 140, 160, 180, 200, 210};
        for (std::size_t j = 0; j < 10; ++j) {
            setImageByte(f, layout::kDruck + j, static_cast<std::uint8_t>(pressures[j]));
        }
        f.PageRefresh();
        typeAndEnter(field(c.row), c.typed);
        const std::string name = "EditTlak" + std::to_string(c.checked);
        EXPECT_EQ(text(field(name.c_str())), c.expected);
        EXPECT_EQ(StoredByte(f, layout::kDruck + c.checked), QString(c.expected).toInt());
    }
}

} // namespace
} // namespace kordana
