#include "features/monitor/MonitorPanel.h"

#include "features/monitor/GaugeBar.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QToolButton>
#include <QVBoxLayout>

#include <tuple>

namespace kordana {

namespace {

using Id = MonitorLabelId;

constexpr int kLabelPadding = 10; // indent and a little air on the right

constexpr std::size_t idx(Id id) {
    return static_cast<std::size_t>(id);
}

constexpr std::size_t idx(MonitorGaugeId id) {
    return static_cast<std::size_t>(id);
}

constexpr std::size_t idx(MonitorColour colour) {
    return static_cast<std::size_t>(colour);
}

Id nth(Id first, int n) {
    return static_cast<Id>(static_cast<int>(first) + n);
}

// Until the first frame arrives a label shows its name and "---".
QString placeholder(const char* widest) {
    const QString text = QString::fromUtf8(widest);
    const qsizetype eq = text.indexOf('=');
    return eq < 0 ? text : text.left(eq + 1) + " ---";
}

} // namespace

MonitorPanel::MonitorPanel(QWidget* host) : QWidget(host) {
    setObjectName("MonitorPanel");
    const QPalette base = palette();
    static_assert(static_cast<int>(MonitorColour::White) == 6, "one palette per colour");
    for (int c = 0; c < 7; ++c) {
        const auto colour = static_cast<MonitorColour>(c);
        QPalette& labelPalette = m_labelPalettes[static_cast<std::size_t>(c)];
        labelPalette = base;
        labelPalette.setColor(QPalette::Window, colourOf(colour, base));
        if (colour != MonitorColour::Normal) {
            labelPalette.setColor(QPalette::WindowText, Qt::black);
        }
        QPalette& gaugePalette = m_gaugePalettes[static_cast<std::size_t>(c)];
        gaugePalette = base;
        gaugePalette.setColor(QPalette::Highlight, colour == MonitorColour::Normal
                                                       ? colourOf(MonitorColour::Aqua, base)
                                                       : colourOf(colour, base));
        gaugePalette.setColor(QPalette::Base, Qt::white);
    }

    // The whole panel or its one-line form, one of the two shown; the toggles end the unit's
    // strip of the one and the line of the other, where they take no width of their own.
    auto* views = new QVBoxLayout(this);
    views->setContentsMargins(0, 0, 0, 0);
    m_toggles = buildToggles();
    m_whole = new QWidget(this);
    m_whole->setObjectName("PanelMonWhole");
    views->addWidget(m_whole);
    views->addWidget(buildLine());
    buildWhole();
    paintLine();

    auto* hostLayout = new QVBoxLayout(host);
    hostLayout->setContentsMargins(0, 0, 0, 0);
    hostLayout->addWidget(this);
}

MonitorPanel::~MonitorPanel() = default;

QProgressBar* MonitorPanel::gauge(MonitorGaugeId id) const {
    return m_gauges[idx(id)];
}

QColor MonitorPanel::colourOf(MonitorColour colour, const QPalette& base) {
    switch (colour) {
    case MonitorColour::Red:
        return QColor(255, 0, 0);
    case MonitorColour::Yellow:
        return QColor(255, 255, 0);
    case MonitorColour::Lime:
        return QColor(0, 255, 0);
    case MonitorColour::Aqua:
        return QColor(0, 255, 255);
    case MonitorColour::Fuchsia:
        return QColor(255, 0, 255);
    case MonitorColour::White:
        return QColor(255, 255, 255);
    case MonitorColour::Normal:
        break;
    }
    return base.color(QPalette::Window);
}

QColor MonitorPanel::backgroundOf(const QLabel* label) {
    return label->palette().color(QPalette::Window);
}

QColor MonitorPanel::foreColourOf(const QProgressBar* gauge) {
    return gauge->palette().color(QPalette::Highlight);
}

QLabel* MonitorPanel::makeLabel(QWidget* parent, MonitorLabelId id, const char* widest) {
    auto* label = new QLabel(placeholder(widest), parent);
    label->setObjectName(QString::fromUtf8(m_names.label(id).objectName));
    label->setIndent(4);
    // Opaque on every background: a new text repaints the label alone, not the panel behind.
    label->setAutoFillBackground(true);
    label->setPalette(m_labelPalettes[0]);
    // A fixed size keeps a changing text from asking the layout for a new arrangement.
    const QFontMetrics metrics(label->font());
    label->setFixedSize(metrics.horizontalAdvance(QString::fromUtf8(widest)) + kLabelPadding,
                        metrics.height() + 4);
    m_labels[idx(id)] = label;
    return label;
}

QProgressBar* MonitorPanel::makeGauge(QWidget* parent, MonitorGaugeId id) {
    auto* gauge = new GaugeBar(parent);
    gauge->setObjectName(QString::fromUtf8(m_names.gauge(id).objectName));
    gauge->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    gauge->setPalette(m_gaugePalettes[idx(MonitorColour::Aqua)]);
    m_gaugeColours[idx(id)] = MonitorColour::Aqua;
    m_gauges[idx(id)] = gauge;
    return gauge;
}

QGridLayout* MonitorPanel::makeGroup(const char* objectName, const QString& title) {
    // A title over a rule, the values below it on the window background itself: a label's
    // normal background then matches what it stands on.
    auto* section = new QWidget(this);
    section->setObjectName(objectName);
    auto* column = new QVBoxLayout(section);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(1);
    auto* heading = new QLabel(title, section);
    heading->setObjectName(QString(objectName) + "Title");
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    column->addWidget(heading);
    auto* rule = new QFrame(section);
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);
    column->addWidget(rule);
    auto* grid = new QGridLayout();
    grid->setContentsMargins(4, 1, 4, 2);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(1);
    column->addLayout(grid);
    column->addStretch(1);
    return grid;
}

void MonitorPanel::addLabelGauge(QGridLayout* grid, int row, MonitorLabelId label,
                                 MonitorGaugeId gauge, const char* widest) {
    auto* parent = grid->parentWidget();
    grid->addWidget(makeLabel(parent, label, widest), row, 0);
    grid->addWidget(makeGauge(parent, gauge), row, 1, Qt::AlignLeft | Qt::AlignVCenter);
}

QWidget* MonitorPanel::buildEngine() {
    QGridLayout* grid = makeGroup("PanelMonEngine", "Engine");
    QWidget* group = grid->parentWidget();
    addLabelGauge(grid, 0, Id::Rpm, MonitorGaugeId::Rpm, "RPM = 65535 ");
    addLabelGauge(grid, 1, Id::TpsMon, MonitorGaugeId::Tps, "TP= 100 %=5000 mV");
    addLabelGauge(grid, 2, Id::Lambda, MonitorGaugeId::Lambda, "LAMBDA= 5000 mV");
    addLabelGauge(grid, 3, Id::MaxInjProcent, MonitorGaugeId::Duty, "INJ. DUTY = 3579 [%]");
    QLabel* rpm = label(Id::Rpm);
    QFont bold = rpm->font();
    bold.setBold(true);
    rpm->setFont(bold);
    rpm->setFixedWidth(QFontMetrics(bold).horizontalAdvance("RPM = 65535 ") + kLabelPadding);
    grid->addWidget(makeLabel(group, Id::Limiter1, "Start limiter = OFF"), 4, 0);
    grid->addWidget(makeLabel(group, Id::TachoLambda, "Tacho/Lambda= Lambda"), 5, 0);
    grid->setColumnStretch(1, 1);
    return group;
}

QWidget* MonitorPanel::buildOutputs() {
    QGridLayout* grid = makeGroup("PanelMonOutputs", "Ignition and injection");
    QWidget* group = grid->parentWidget();
    const char* const advance[] = {"ADVANCE 1=-655.4 °", "ADVANCE 2 =655.4 °",
                                   "ADVANCE 3= 655.4 °"};
    for (int c = 0; c < 3; ++c) {
        grid->addWidget(makeLabel(group, nth(Id::MonIgn1, c), advance[c]), c, 0);
    }
    grid->addWidget(makeLabel(group, Id::MonPolohaA, "POSITION A= 65535 °"), 4, 0);
    grid->addWidget(makeLabel(group, Id::MonPolohaB, "POSITION B= 65535 °"), 5, 0);
    // Injectors in frame order: 1A, 1B, 2A, 2B, 3A, 3B, the two banks of a cylinder together.
    const char* const jets[] = {"INJ. TIME 1A= 65535 us", "INJ. TIME 1B= 65535 us",
                                "INJ. TIME 2A= 65535 us", "INJ. TIME 2B= 65535 us",
                                "INJ. TIME 3A= 65535 us", "INJ. TIME 3B= 65535 us"};
    for (int j = 0; j < 6; ++j) {
        grid->addWidget(makeLabel(group, nth(Id::MonJet1A, j), jets[j]), j, 1);
    }
    return group;
}

QWidget* MonitorPanel::buildSensors() {
    QGridLayout* grid = makeGroup("PanelMonSensors", "Sensors");
    QWidget* group = grid->parentWidget();
    grid->addWidget(makeLabel(group, Id::Tlak, "AP= 6553.5 kPa= 5000 mV"), 0, 0);
    addLabelGauge(grid, 1, Id::Voda, MonitorGaugeId::Voda, "TW= ERROR = 5000 mV");
    grid->addWidget(makeLabel(group, Id::Vzduch, "AT= -100 °C= 5000 mV"), 2, 0);
    grid->addWidget(makeLabel(group, Id::Napeti, "U= 55.0 V"), 3, 0);
    grid->addWidget(makeLabel(group, Id::TlakOleje, "Oil Pressure= ERR"), 4, 0);
    // The extended monitor adds the sensor millivolts to these lines.
    m_extMonitor = new QCheckBox("Extended Monitor", group);
    m_extMonitor->setObjectName("CheckBoxExtMonitor");
    m_extMonitor->setFocusPolicy(Qt::NoFocus);
    grid->addWidget(m_extMonitor, 5, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    return group;
}

QWidget* MonitorPanel::buildCorrections() {
    QGridLayout* grid = makeGroup("PanelMonCorrections", "Corrections");
    QWidget* group = grid->parentWidget();
    grid->addWidget(makeLabel(group, Id::KorVoda, "TW correction= 6553.5 %"), 0, 0);
    grid->addWidget(makeLabel(group, Id::KorVzduch, "AT correction=6553.5 %"), 1, 0);
    grid->addWidget(makeLabel(group, Id::KorTlak, "AP correction= 6553.5 %"), 2, 0);
    grid->addWidget(makeLabel(group, Id::KorSytic, "Starting corr.= 6553.5 %"), 0, 1);
    grid->addWidget(makeLabel(group, Id::KorNapeti, "U correction= -1000 us"), 1, 1);
    return group;
}

QWidget* MonitorPanel::buildKnockPowerServo() {
    QGridLayout* grid = makeGroup("PanelMonKnock", "Knock, power outputs, servo");
    QWidget* group = grid->parentWidget();
    const char* const knock[] = {"Knock Level 1 = 5000 mV", "Knock Level 2 = 5000 mV",
                                 "Knock Level 3 = 5000 mV"};
    for (int c = 0; c < 3; ++c) {
        grid->addWidget(makeLabel(group, nth(Id::KnockMon1, c), knock[c]), c, 0);
        const QByteArray caption = QString("Power Out %1").arg(c + 1).toUtf8();
        QLabel* out = makeLabel(group, nth(Id::PowerOut1, c), caption.constData());
        out->setAlignment(Qt::AlignCenter);
        out->setFrameShape(QFrame::Panel);
        out->setFrameShadow(QFrame::Sunken);
        out->setFixedWidth(out->width() + 12);
        setLabelColour(idx(nth(Id::PowerOut1, c)), MonitorColour::Lime);
        grid->addWidget(out, c, 1);
    }
    for (const auto& [id, widest, row] : {std::tuple{Id::ServoPoz, "Servo desired= 5000 mV", 0},
                                          std::tuple{Id::ServoMer, "Servo measured= 5000 mV", 1}}) {
        QLabel* servo = makeLabel(group, id, widest);
        // Showing or hiding the servo labels must not move the rest of the panel.
        QSizePolicy policy = servo->sizePolicy();
        policy.setRetainSizeWhenHidden(true);
        servo->setSizePolicy(policy);
        servo->hide();
        grid->addWidget(servo, row, 2);
    }
    grid->setColumnStretch(3, 1);
    return group;
}

QWidget* MonitorPanel::buildUnit() {
    auto* strip = new QWidget(this);
    strip->setObjectName("PanelMonUnit");
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(6, 0, 6, 0);
    row->setSpacing(12);
    QLabel* count = makeLabel(strip, Id::PocetProgramovani, "Number of Programing = 65535");
    // The language switch writes its own count text here: let the width follow the text.
    count->setMinimumWidth(count->width());
    count->setMaximumWidth(QWIDGETSIZE_MAX);
    count->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
    row->addWidget(count);
    for (const auto& [id, caption] :
         {std::pair{Id::Version, ""}, std::pair{Id::EeDataErr, "Programmed data error!"}}) {
        // These two carry language texts of any length: their size follows the text.
        auto* alarm = new QLabel(QString::fromUtf8(caption), strip);
        alarm->setObjectName(QString::fromUtf8(m_names.label(id).objectName));
        alarm->setAutoFillBackground(true);
        alarm->setPalette(m_labelPalettes[idx(MonitorColour::Red)]);
        alarm->setContentsMargins(6, 1, 6, 1);
        QSizePolicy policy(QSizePolicy::Fixed, QSizePolicy::Fixed);
        policy.setRetainSizeWhenHidden(true);
        alarm->setSizePolicy(policy);
        alarm->hide();
        m_labels[idx(id)] = alarm;
        m_labelColours[idx(id)] = MonitorColour::Red;
        row->addWidget(alarm);
    }
    row->addStretch(1);
    row->addWidget(m_toggles);
    m_unitRow = row;
    return strip;
}

QWidget* MonitorPanel::buildTest() {
    auto* strip = new QWidget(this);
    strip->setObjectName("PanelMonTest");
    auto* row = new QHBoxLayout(strip);
    row->setContentsMargins(4, 0, 4, 0);
    row->setSpacing(6);
    for (int i = 0; i < 8; ++i) {
        const QByteArray widest = QString("Test%1= 65535 ").arg(i + 1).toUtf8();
        QLabel* test = makeLabel(strip, nth(Id::Test1, i), widest.constData());
        test->hide();
        row->addWidget(test);
    }
    row->addStretch(1);
    return strip;
}

void MonitorPanel::buildWhole() {
    auto* column = new QVBoxLayout(m_whole);
    column->setContentsMargins(0, 2, 0, 0);
    column->setSpacing(3);
    auto* first = new QHBoxLayout();
    first->setSpacing(14);
    first->addWidget(buildEngine(), 1);
    first->addWidget(buildOutputs());
    first->addWidget(buildSensors(), 1);
    column->addLayout(first);
    auto* second = new QHBoxLayout();
    second->setSpacing(14);
    second->addWidget(buildCorrections());
    second->addWidget(buildKnockPowerServo(), 1);
    column->addLayout(second);
    column->addWidget(buildUnit());
    column->addWidget(buildTest());
}

QWidget* MonitorPanel::buildToggles() {
    auto* toggles = new QWidget(this);
    toggles->setObjectName("PanelMonToggles");
    auto* row = new QHBoxLayout(toggles);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    for (auto [button, name, caption] :
         {std::tuple{&m_oneLineButton, "ButtonMonitorOneLine", "One line"},
          std::tuple{&m_detachButton, "ButtonMonitorDetach", "Own window"}}) {
        *button = new QToolButton(toggles);
        (*button)->setObjectName(name);
        (*button)->setText(caption);
        (*button)->setCheckable(true);
        (*button)->setFocusPolicy(Qt::NoFocus);
        row->addWidget(*button);
    }
    connect(m_oneLineButton, &QToolButton::toggled, this, &MonitorPanel::setOneLine);
    return toggles;
}

QWidget* MonitorPanel::buildLine() {
    m_line = new QWidget(this);
    m_line->setObjectName("PanelMonLine");
    auto* row = new QHBoxLayout(m_line);
    row->setContentsMargins(4, 2, 4, 2);
    row->setSpacing(12);
    m_lineValues = new QLabel(m_line);
    m_lineValues->setObjectName("LabelMonLine");
    QFont bold = m_lineValues->font();
    bold.setBold(true);
    m_lineValues->setFont(bold);
    m_lineKnock = new QLabel(m_line);
    m_lineKnock->setObjectName("LabelMonLineKnock");
    m_lineKnock->setAutoFillBackground(true);
    m_lineKnock->setContentsMargins(6, 0, 6, 0);
    row->addWidget(m_lineValues);
    row->addWidget(m_lineKnock);
    row->addStretch(1);
    m_lineRow = row;
    m_line->hide();
    return m_line;
}

void MonitorPanel::setOneLine(bool on) {
    m_oneLine = on;
    if (m_oneLineButton->isChecked() != on) {
        m_oneLineButton->setChecked(on);
    }
    QHBoxLayout* from = on ? m_unitRow : m_lineRow;
    QHBoxLayout* to = on ? m_lineRow : m_unitRow;
    from->removeWidget(m_toggles);
    to->addWidget(m_toggles);
    m_whole->setVisible(!on);
    m_line->setVisible(on);
}

// The line repeats what the whole panel's labels say, each label's text as it stands.
void MonitorPanel::paintLine() {
    QStringList values;
    for (const Id id : {Id::Rpm, Id::TpsMon, Id::Lambda, Id::MonIgn1, Id::MonJet1A}) {
        values << label(id)->text().simplified();
    }
    const QString text = values.join("  |  ");
    if (m_lineValues->text() != text) {
        m_lineValues->setText(text);
    }
    QStringList knocking;
    for (int c = 0; c < 3; ++c) {
        if (m_labelColours[idx(nth(Id::KnockMon1, c))] == MonitorColour::Red) {
            knocking << QString::number(c + 1);
        }
    }
    const QString knock = "Knock: " + (knocking.isEmpty() ? QString("-") : knocking.join(", "));
    if (m_lineKnock->text() != knock) {
        m_lineKnock->setText(knock);
        m_lineKnock->setPalette(
            m_labelPalettes[idx(knocking.isEmpty() ? MonitorColour::Normal : MonitorColour::Red)]);
    }
}

void MonitorPanel::setLabelColour(std::size_t index, MonitorColour colour) {
    m_labels[index]->setPalette(m_labelPalettes[static_cast<std::size_t>(colour)]);
    m_labelColours[index] = colour;
}

void MonitorPanel::setGaugeColour(std::size_t index, MonitorColour colour) {
    m_gauges[index]->setPalette(m_gaugePalettes[static_cast<std::size_t>(colour)]);
    m_gaugeColours[index] = colour;
}

void MonitorPanel::paint(const MonitorDisplay& display) {
    // Compared with the widgets themselves, not with the model's change flags: the language
    // switch and the servo page also write some of these labels.
    const auto labels = display.labels();
    for (std::size_t i = 0; i < kMonitorLabelCount; ++i) {
        const MonitorLabel& model = labels[i];
        QLabel* widget = m_labels[i];
        if (model.setsText) {
            const QString text =
                QString::fromUtf8(model.text.data(), static_cast<qsizetype>(model.text.size()));
            if (widget->text() != text) {
                widget->setText(text);
            }
        }
        if (model.setsColour && m_labelColours[i] != model.colour) {
            setLabelColour(i, model.colour);
        }
        if (model.setsVisible && widget->isHidden() == model.visible) {
            widget->setVisible(model.visible);
        }
    }
    paintLine();
    const auto gauges = display.gauges();
    for (std::size_t i = 0; i < kMonitorGaugeCount; ++i) {
        const MonitorGauge& model = gauges[i];
        m_gauges[i]->setClampedValue(model.progress);
        if (model.setsForeColour && m_gaugeColours[i] != model.foreColour) {
            setGaugeColour(i, model.foreColour);
        }
    }
}

} // namespace kordana
