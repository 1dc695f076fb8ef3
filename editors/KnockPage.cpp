#include "editors/KnockPage.h"

#include "editors/CommitBindings.h"
#include "editors/UpDownEdit.h"
#include "lang/KnockLists.h"
#include "monitor/OperatingPoint.h"
#include "params/KnockLists.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPointer>
#include <QProxyStyle>
#include <QResizeEvent>
#include <QScrollArea>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QVBoxLayout>

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <vector>

namespace kordana {

namespace {

// Layout in pixels inside the page's group box.
constexpr int kRowTops[KnockPage::kRows] = {60, 110, 160, 210, 255, 300, 350};
const char* const kRowLabelNames[KnockPage::kRows] = {
    "LabelKnockRpm",   "LabelKnockFrek", "LabelKnockLevel", "LabelKnockTimeConst",
    "LabelKnockStart", "LabelKnockEnd",  "LabelKnockAlarm"};
constexpr int kRowLabelLeft = 7;
// The first line of a row label stands level with the text of the row's controls.
constexpr int kRowLabelDrop = 3;
constexpr int kEditWidth = 38;
constexpr int kListWidth = 54;
constexpr int kListVisibleItems = 32;
constexpr int kListTextInset = 4;
constexpr int kCylinderLabelTop = 30;
constexpr int kCylinderLabelOffset = 114;
constexpr int kBevelTop = 15;
constexpr int kBevelBottomGap = 25;
constexpr int kBevelWidth = 5;
constexpr int kBottomMargin = 40;

int pointLeft(int point) {
    return 90 + 57 * point + 15 * (point / KnockPage::kPointsPerCylinder);
}

int rowTop(KnockPage::Row row) {
    return kRowTops[static_cast<int>(row)];
}

// A font in which the widest item of `items` fits the edit part of a list `width` wide: the
// style's frame and arrow leave a narrow list little room.
QFont fittingFont(const QComboBox* items, int width) {
    QStyleOptionComboBox option;
    option.initFrom(items);
    option.rect = QRect(0, 0, width, items->sizeHint().height());
    // The label is drawn a few pixels inside the edit part.
    const int room =
        items->style()
            ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, items)
            .width() -
        kListTextInset;
    QFont font = items->font();
    const auto widest = [&font, items] {
        int most = 0;
        for (int k = 0; k < items->count(); ++k) {
            most = std::max(most, QFontMetrics(font).horizontalAdvance(items->itemText(k)));
        }
        return most;
    };
    while (widest() > room && font.pointSizeF() > 6) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
    }
    return font;
}

// A hidden list holding the items the page's lists copy.
QComboBox* makeItemList(QWidget* parent, const char* name,
                        std::span<const std::string_view> texts) {
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    for (const std::string_view text : texts) {
        list->addItem(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    }
    list->setCurrentIndex(2);
    list->hide();
    return list;
}

// The captionless box that fills the page; its two bevels between the cylinders follow its
// height.
class KnockBox : public QGroupBox {
public:
    explicit KnockBox(QWidget* parent) : QGroupBox(parent) {}

    void addBevel(int left, const char* name) {
        auto* bevel = new QFrame(this);
        bevel->setObjectName(name);
        bevel->setFrameShape(QFrame::VLine);
        bevel->setFrameShadow(QFrame::Raised);
        bevel->setGeometry(left, kBevelTop, kBevelWidth, bevelHeight(height()));
        m_bevels.push_back(bevel);
    }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QGroupBox::resizeEvent(event);
        for (QFrame* bevel : m_bevels) {
            bevel->resize(kBevelWidth, bevelHeight(event->size().height()));
        }
    }

private:
    static int bevelHeight(int boxHeight) {
        return std::max(0, boxHeight - kBevelBottomGap - kBevelTop);
    }

    std::vector<QFrame*> m_bevels;
};

// A list of one knock point. The operating-point cursor recolours the closed list as the engine
// moves; QComboBox answers every colour change by recolouring its popup, and finds the popup's
// colours by building a menu, which alone would cost more than a tick may take. The cursor's
// lime is no concern of the popup, so a change of the button face alone stops here; any other
// change of colours (a new desktop theme) still reaches the popup.
class KnockList final : public QComboBox {
public:
    explicit KnockList(QWidget* parent) : QComboBox(parent), m_popupColours(palette()) {}

protected:
    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::PaletteChange) {
            QPalette others = palette();
            for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
                others.setBrush(group, QPalette::Button,
                                m_popupColours.brush(group, QPalette::Button));
            }
            if (others == m_popupColours) {
                QWidget::changeEvent(event);
                return;
            }
            m_popupColours = palette();
        }
        QComboBox::changeEvent(event);
    }

private:
    QPalette m_popupColours; // the colours the popup last followed
};

// Styles that open a list over its selected item (Fusion among them) size that popup by the
// screen and ignore the list's maximum of visible items. The knock lists drop down below
// themselves as plain lists, at most kListVisibleItems high. One style for all of them, owned
// by the application so that it outlives every list.
class DropDownStyle final : public QProxyStyle {
public:
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override {
        if (hint == SH_ComboBox_Popup) {
            return 0;
        }
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }

    static QStyle* instance() {
        static QPointer<DropDownStyle> style;
        if (style == nullptr) {
            style = new DropDownStyle();
            style->setParent(QCoreApplication::instance());
        }
        return style;
    }
};

} // namespace

namespace {

// The row captions, the cylinder captions and the two bevels between the cylinders.
void addLabelsAndBevels(KnockBox* box) {
    for (int r = 0; r < KnockPage::kRows; ++r) {
        const std::string_view caption = knockRowCaptions()[static_cast<std::size_t>(r)];
        auto* label = new QLabel(
            QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())), box);
        label->setObjectName(kRowLabelNames[r]);
        // A caption wider than the room left of the first point takes a second line.
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setGeometry(kRowLabelLeft, kRowTops[r] + kRowLabelDrop,
                           pointLeft(0) - kRowLabelLeft - 2, 2 * UpDownEdit::kHeight);
    }
    for (int c = 0; c < KnockPage::kPoints / KnockPage::kPointsPerCylinder; ++c) {
        auto* label = new QLabel(QString("Cylinder %1").arg(c + 1), box);
        label->setObjectName(QString("LabelKnockCylinder%1").arg(c + 1));
        label->move(pointLeft(c * KnockPage::kPointsPerCylinder) + kCylinderLabelOffset,
                    kCylinderLabelTop);
    }
    box->addBevel(pointLeft(5) - 12, "BevelKnock1");
    box->addBevel(pointLeft(10) - 13, "BevelKnock2");
}

} // namespace

KnockPage::KnockPage(QWidget* sheet, PageContext& context) : FieldPage(kIndex, sheet) {
    // The box fills the page; a window too small for it scrolls, as the map grid does.
    auto* fill = new QVBoxLayout(sheet);
    auto* scroll = new QScrollArea(sheet);
    scroll->setObjectName("ScrollBoxKnock");
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    fill->addWidget(scroll);
    auto* box = new KnockBox(scroll);
    box->setObjectName("GroupBoxKnock");

    buildItemLists(box);
    addLabelsAndBevels(box);
    buildControls(context.bindings, box);

    box->setMinimumSize(pointLeft(kPoints - 1) + kListWidth + kRowLabelLeft,
                        rowTop(Row::Alarm) + UpDownEdit::kHeight + kBottomMargin);
    scroll->setWidget(box);
}

void KnockPage::buildItemLists(QWidget* box) {
    m_frequencyItems = makeItemList(box, "ComboBoxKnockFrekPom", kKnockFrequencies);
    m_gainItems = makeItemList(box, "ComboBoxLevelPom", kKnockGains);
    m_timeConstantItems = makeItemList(box, "ComboBoxTimeConstPom", kKnockTimeConstants);
    // All three rows of lists in one font, the one in which the widest item of any list fits;
    // the page's lists take it from the hidden lists.
    QFont listFont = m_frequencyItems->font();
    for (QComboBox* items : {m_frequencyItems, m_gainItems, m_timeConstantItems}) {
        const QFont fitting = fittingFont(items, kListWidth);
        if (fitting.pointSizeF() < listFont.pointSizeF()) {
            listFont = fitting;
        }
    }
    for (QComboBox* items : {m_frequencyItems, m_gainItems, m_timeConstantItems}) {
        items->setFont(listFont);
    }
}

void KnockPage::buildControls(CommitBindings& bindings, QWidget* box) {
    // Row by row, so that Enter and Tab move along a row.
    for (int i = 0; i < kPoints; ++i) {
        addEdit(bindings, box, i, Row::Rpm, "EditKnockRpm", "RPM_KNOCK");
    }
    for (int i = 0; i < kPoints; ++i) {
        addList(bindings, box, i, Row::Frequency, "ComboBoxKnockFrek", "KNOCK_FREK",
                m_frequencyItems);
    }
    for (int i = 0; i < kPoints; ++i) {
        addList(bindings, box, i, Row::Gain, "ComboBoxLevel", "LEVEL", m_gainItems);
    }
    for (int i = 0; i < kPoints; ++i) {
        addList(bindings, box, i, Row::TimeConstant, "ComboBoxTimeConst", "TIME_CONST",
                m_timeConstantItems);
    }
    for (int i = 0; i < kPoints; ++i) {
        addEdit(bindings, box, i, Row::Start, "EditKnockStart", "START")->setPosition(-40);
    }
    for (int i = 0; i < kPoints; ++i) {
        addEdit(bindings, box, i, Row::End, "EditKnockEnd", "END")->setPosition(i + 20);
    }
    for (int i = 0; i < kPoints; ++i) {
        addEdit(bindings, box, i, Row::Alarm, "EditKnockAlarm", "ALARM")->setPosition(5000);
    }
}

UpDownEdit* KnockPage::addEdit(CommitBindings& bindings, QWidget* parent, int point, Row row,
                               const char* name, const char* key) {
    auto* edit = new UpDownEdit(parent, kEditWidth);
    edit->setObjectName(QString("%1%2").arg(name).arg(point));
    edit->move(pointLeft(point), rowTop(row));
    const Field field = elementField(edit, key, static_cast<std::size_t>(point));
    edit->setRange(field.minShown, field.maxShown, field.step);
    edit->setPosition(field.minShown);
    addFields({field});
    bindings.bindRunTimeField(edit);
    m_points[static_cast<std::size_t>(point)][static_cast<std::size_t>(row)] = edit;
    return edit;
}

QComboBox* KnockPage::addList(CommitBindings& bindings, QWidget* parent, int point, Row row,
                              const char* name, const char* key, const QComboBox* items) {
    auto* list = new KnockList(parent);
    list->setObjectName(QString("%1%2").arg(name).arg(point));
    for (int k = 0; k < items->count(); ++k) {
        list->addItem(items->itemText(k));
    }
    list->setMaxVisibleItems(kListVisibleItems);
    list->setStyle(DropDownStyle::instance());
    list->setFont(items->font());
    list->setGeometry(pointLeft(point), rowTop(row), kListWidth, list->sizeHint().height());
    addFields({elementField(list, key, static_cast<std::size_t>(point))});
    bindings.bindPick(list);
    m_points[static_cast<std::size_t>(point)][static_cast<std::size_t>(row)] = list;
    return list;
}

QWidget* KnockPage::control(int point, Row row) const {
    return pointControls(point)[static_cast<std::size_t>(row)];
}

const std::array<QWidget*, KnockPage::kRows>& KnockPage::pointControls(int point) const {
    return m_points.at(static_cast<std::size_t>(point));
}

void KnockPage::markOperatingPoint(const ParameterImage& image, const MonitorLiveValues& live,
                                   const MapMark& /*mapMark*/) {
    const std::array<std::uint8_t, 3> points = knockPoints(image, live);
    std::array<QWidget*, 3 * kRows> fields{};
    auto next = fields.begin();
    for (std::size_t c = 0; c < points.size(); ++c) {
        const auto& controls = m_points[c * std::size_t{kPointsPerCylinder} + points[c]];
        next = std::copy(controls.begin(), controls.end(), next);
    }
    m_marks.show(fields);
}

} // namespace kordana
