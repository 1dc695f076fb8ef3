#include "editors/KorekcePage.h"

#include "editors/CommitBindings.h"
#include "editors/UpDownEdit.h"
#include "monitor/OperatingPoint.h"

#include <QGroupBox>
#include <QLabel>
#include <QPainter>

namespace kordana {

namespace {

// Frames of the page, left to right; the two on the right stand one above the other. The
// retard frame is wide enough for its longest title (French).
constexpr QRect kTlakFrame(8, 8, 230, 380);
constexpr QRect kRetardFrame(246, 8, 340, 380);
constexpr QRect kVodaVzduchFrame(594, 8, 290, 262);
constexpr QRect kSyticFrame(594, 278, 290, 200);

// The two columns of the pressure and retard grids, and their rows.
constexpr int kTenRowsLeft[2] = {25, 110};
constexpr int kTenRowsTop = 54;
constexpr int kTenRowsPitch = 32;
constexpr int kHeadingTop = 28;

// Coolant and inlet-air columns, their rows and the heading line above them.
constexpr int kVodaLeft = 85;
constexpr int kVzduchLeft = 165;
constexpr int kFiveRowsTop = 65;
constexpr int kFiveRowsPitch = 39;
constexpr int kFiveHeadingTop = 40;

// Post-start curve: time column, correction column, five rows.
constexpr int kSyticCasLeft = 20;
constexpr int kSyticKorekceLeft = 105;
constexpr int kSyticHeadingTop = 24;
constexpr int kSyticTop = 48;
constexpr int kSyticPitch = 28;

// A column heading that keeps to the room it is given: a caption wider than its column (the
// longer languages) is drawn in a smaller font rather than over the next column.
class ColumnHeading final : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override {
        QFont fitted = font();
        while (QFontMetrics(fitted).horizontalAdvance(text()) > width() &&
               fitted.pointSizeF() > 6) {
            fitted.setPointSizeF(fitted.pointSizeF() - 0.5);
        }
        QPainter painter(this);
        painter.setFont(fitted);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(rect(), Qt::AlignLeft | Qt::AlignVCenter, text());
    }
};

QGroupBox* addGroup(QWidget* sheet, const char* name, const QString& title, const QRect& frame) {
    auto* group = new QGroupBox(title, sheet);
    group->setObjectName(name);
    group->setGeometry(frame);
    return group;
}

// A heading from `left` to `right` at `top`.
QLabel* addHeading(QWidget* parent, const char* name, const QString& text, int left, int right,
                   int top) {
    auto* label = new ColumnHeading(text, parent);
    label->setObjectName(name);
    label->setGeometry(left, top, right - left, UpDownEdit::kHeight);
    return label;
}

QLabel* addFixedValue(QWidget* parent, const QString& name, const QString& text, int left,
                      int top) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAutoFillBackground(true);
    label->setIndent(3);
    label->setGeometry(left, top, UpDownEdit::kEditWidth, UpDownEdit::kHeight);
    return label;
}

UpDownEdit* addField(QWidget* parent, const QString& name, int left, int top) {
    auto* field = new UpDownEdit(parent);
    field->setObjectName(name);
    field->move(left, top);
    return field;
}

} // namespace

KorekcePage::KorekcePage(QWidget* sheet, PageContext& context) : FieldPage(kIndex, sheet) {
    QGroupBox* tlak = addGroup(sheet, "GroupBoxTlak", "Pressure Correction", kTlakFrame);
    addHeading(tlak, "LabelTlakTlak", "Pressure [kPa]", kTenRowsLeft[0], kTenRowsLeft[1] - 6,
               kHeadingTop);
    addHeading(tlak, "LabelTlakKor", "Correction [%]", kTenRowsLeft[1], kTlakFrame.width() - 8,
               kHeadingTop);
    buildTenRows(tlak, "EditTlak%1", "EditTlakKorekce%1", context, m_tlak, m_tlakKorekce);

    QGroupBox* retard =
        addGroup(sheet, "GroupBoxRetard", "Temperature Correction of Advance", kRetardFrame);
    addHeading(retard, "LabelRetardTemp", "Temperature [°C]", kTenRowsLeft[0], kTenRowsLeft[1] - 6,
               kHeadingTop);
    addHeading(retard, "LabelRetardRetard", "Correction of Advance[°]", kTenRowsLeft[1],
               kRetardFrame.width() - 8, kHeadingTop);
    buildTenRows(retard, "EditRetardTeplota%1", "EditRetard%1", context, m_retardTeplota, m_retard);

    buildTemperatures(sheet, context);
    buildPostStart(sheet, context);

    // The order in which a harvest stores the page.
    std::vector<Field> fields;
    for (std::size_t j = 0; j < 10; ++j) {
        fields.push_back(elementField(m_tlak[j], "DRUCK", j));
    }
    for (std::size_t j = 0; j < 10; ++j) {
        fields.push_back(elementField(m_tlakKorekce[j], "DRUCK", 10 + j));
    }
    for (std::size_t j = 0; j < 5; ++j) {
        fields.push_back(elementField(m_voda[j], "WATER_TEMP", j));
    }
    for (std::size_t j = 0; j < 5; ++j) {
        fields.push_back(elementField(m_vzduch[j], "AIR_TEMP", j));
    }
    for (std::size_t j = 0; j < 10; ++j) {
        fields.push_back(elementField(m_retardTeplota[j], "RETARD", j));
    }
    for (std::size_t j = 0; j < 10; ++j) {
        fields.push_back(elementField(m_retard[j], "RETARD", 10 + j));
    }
    for (std::size_t k = 0; k < 4; ++k) {
        fields.push_back(elementField(m_syticCas[k], "CHOKE", k));
    }
    for (std::size_t k = 0; k < 4; ++k) {
        fields.push_back(elementField(m_syticKorekce[k], "CHOKE", 4 + k));
    }
    addFields(std::move(fields));
}

void KorekcePage::buildTenRows(QGroupBox* group, const char* firstName, const char* secondName,
                               PageContext& context, UpDownEdit** first, UpDownEdit** second) {
    for (int j = 0; j < 10; ++j) {
        const int top = kTenRowsTop + kTenRowsPitch * j;
        first[j] = addField(group, QString(firstName).arg(j), kTenRowsLeft[0], top);
        second[j] = addField(group, QString(secondName).arg(j), kTenRowsLeft[1], top);
        context.bindings.bindRunTimeField(first[j]);
        context.bindings.bindRunTimeField(second[j]);
    }
}

void KorekcePage::buildTemperatures(QWidget* sheet, PageContext& context) {
    QGroupBox* group =
        addGroup(sheet, "GroupBoxVodaVzduch", "Temperature Corrections", kVodaVzduchFrame);
    addHeading(group, "LabelVoda2", "Coolant", kVodaLeft, kVzduchLeft - 6, kFiveHeadingTop);
    addHeading(group, "LabelVzduch2", "Inlet Air", kVzduchLeft, kVodaVzduchFrame.width() - 8,
               kFiveHeadingTop);
    // The corrections are percentages; the captions do not say so.
    auto* unit = new QLabel("[%]", group);
    unit->setObjectName("LabelVodaVzduchUnit");
    unit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    unit->setGeometry(12, kFiveHeadingTop, kVodaLeft - 12 - 10, UpDownEdit::kHeight);
    const char* const rowNames[] = {"LabelVoda_10", "LabelVoda20", "LabelVoda50", "LabelVoda80",
                                    "LabelVoda110"};
    const int rowTemperatures[] = {-10, 20, 50, 80, 110};
    for (int j = 0; j < 5; ++j) {
        const int top = kFiveRowsTop + kFiveRowsPitch * j;
        auto* label = new QLabel(QString("%1 °C").arg(rowTemperatures[j]), group);
        label->setObjectName(rowNames[j]);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setGeometry(12, top, kVodaLeft - 12 - 10, UpDownEdit::kHeight);
        m_voda[j] = addField(group, QString("EditVoda%1").arg(j), kVodaLeft, top);
        m_vzduch[j] = addField(group, QString("EditVzduch%1").arg(j), kVzduchLeft, top);
        context.bindings.bindRunTimeField(m_voda[j]);
        context.bindings.bindRunTimeField(m_vzduch[j]);
    }
}

void KorekcePage::buildPostStart(QWidget* sheet, PageContext& context) {
    QGroupBox* group = addGroup(sheet, "GroupBoxSytic", "Starting Corrections", kSyticFrame);
    addHeading(group, "LabelSyticCas", "Time [s]", kSyticCasLeft, kSyticKorekceLeft - 6,
               kSyticHeadingTop);
    addHeading(group, "LabelSyticKorekce", "Corrections for -10°C [%]", kSyticKorekceLeft,
               kSyticFrame.width() - 8, kSyticHeadingTop);
    // Five points: time 0 with its correction, three points with both, and the last time,
    // after which the correction is 100 % (no correction).
    m_syticCas0 = addFixedValue(group, "LabelSyticCas0", "0", kSyticCasLeft, kSyticTop);
    m_syticKorekce4 = addFixedValue(group, "LabelSyticKorekce4", "100", kSyticKorekceLeft,
                                    kSyticTop + 4 * kSyticPitch);
    for (int k = 0; k < 4; ++k) {
        m_syticKorekce[k] = addField(group, QString("EditSyticKorekce%1").arg(k), kSyticKorekceLeft,
                                     kSyticTop + kSyticPitch * k);
        m_syticCas[k] = addField(group, QString("EditSyticCas%1").arg(k + 1), kSyticCasLeft,
                                 kSyticTop + kSyticPitch * (k + 1));
        context.bindings.bindStaticField(m_syticKorekce[k], true);
        context.bindings.bindStaticField(m_syticCas[k], true);
    }
}

void KorekcePage::markOperatingPoint(const ParameterImage& image, const MonitorLiveValues& live,
                                     const MapMark& /*mapMark*/) {
    const CorrectionMarks marks = correctionMarks(image, live);
    // Past the last temperature row no coolant or inlet-air field is marked.
    const auto fivePoint = [](UpDownEdit* const(&row)[5], std::uint8_t k) -> QWidget* {
        return k < 5 ? row[k] : nullptr;
    };
    // The post-start curve's first time and last correction are fixed labels.
    const std::uint8_t p = marks.postStartPoint;
    QWidget* const fields[] = {
        m_tlak[marks.pressureRow],
        m_tlakKorekce[marks.pressureRow],
        m_retardTeplota[marks.retardRow],
        m_retard[marks.retardRow],
        fivePoint(m_voda, marks.coolantRow),
        fivePoint(m_vzduch, marks.airRow),
        p == 0 ? static_cast<QWidget*>(m_syticCas0) : m_syticCas[p - 1],
        p == 4 ? static_cast<QWidget*>(m_syticKorekce4) : m_syticKorekce[p],
    };
    m_marks.show(fields);
}

} // namespace kordana
