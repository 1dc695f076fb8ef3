#include "features/assistant/AssistantWindow.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace kordana {

namespace {

QSpinBox* spinBox(QWidget* parent, const char* name, int low, int high, const char* suffix) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(name);
    box->setRange(low, high);
    box->setSuffix(suffix);
    return box;
}

QDoubleSpinBox* lambdaBox(QWidget* parent, const char* name) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setRange(0.3, 2.0);
    box->setDecimals(2);
    box->setSingleStep(0.01);
    return box;
}

QPushButton* button(QWidget* parent, const char* name, const char* caption) {
    auto* made = new QPushButton(caption, parent);
    made->setObjectName(name);
    return made;
}

QLabel* label(QWidget* parent, const char* name, const char* caption) {
    auto* made = new QLabel(caption, parent);
    made->setObjectName(name);
    return made;
}

} // namespace

AssistantWindow::AssistantWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("FormAssistant");
    setWindowTitle("Tuning assistant");
    auto* column = new QVBoxLayout(this);
    column->addWidget(buildSource());
    column->addWidget(buildSettings());
    m_tally = label(this, "LabelAssistTally", "");
    m_tally->setWordWrap(true);
    m_tally->setTextInteractionFlags(Qt::TextSelectableByMouse);
    column->addWidget(m_tally);
    m_inSheet = new QCheckBox("Last analysis in the tune sheet", this);
    m_inSheet->setObjectName("CheckBoxAssistSheet");
    m_inSheet->setChecked(true);
    column->addWidget(m_inSheet);
    column->addWidget(buildCommands());
    column->addStretch(1);
    setSettings(m_settings);
}

QWidget* AssistantWindow::buildSource() {
    auto* group = new QGroupBox("Samples", this);
    group->setObjectName("GroupBoxAssistSource");
    auto* row = new QHBoxLayout(group);
    m_live = new QCheckBox("Live from the unit", group);
    m_live->setObjectName("CheckBoxAssistLive");
    connect(m_live, &QCheckBox::toggled, this, &AssistantWindow::liveToggled);
    QPushButton* add = button(group, "ButtonAssistAddLogs", "Add logs...");
    connect(add, &QPushButton::clicked, this, &AssistantWindow::addLogsClicked);
    m_logs = label(group, "LabelAssistLogs", "");
    m_logs->setWordWrap(true);
    row->addWidget(m_live);
    row->addWidget(add);
    row->addWidget(m_logs, 1);
    return group;
}

QWidget* AssistantWindow::buildSettings() {
    auto* group = new QGroupBox("Settings", this);
    group->setObjectName("GroupBoxAssistSettings");
    auto* form = new QFormLayout(group);
    m_sensor = new QComboBox(group);
    m_sensor->setObjectName("ComboBoxAssistSensor");
    m_sensor->addItems({"Narrowband", "Wideband"});
    m_lambda0 = lambdaBox(group, "EditAssistLambda0");
    m_lambda5 = lambdaBox(group, "EditAssistLambda5");
    m_delay = spinBox(group, "EditAssistDelay", 0, 2000, " ms");
    m_delay->setSingleStep(50);
    m_minSamples = spinBox(group, "EditAssistMinSamples", 1, 10000, "");
    m_authority = spinBox(group, "EditAssistAuthority", 1, 50, " %");
    m_retardStep = spinBox(group, "EditAssistRetardStep", 1, 5, " °");
    m_maxRetard = spinBox(group, "EditAssistMaxRetard", 1, 10, " °");
    m_banks = new QComboBox(group);
    m_banks->setObjectName("ComboBoxAssistBanks");
    m_banks->addItems({"Bank A", "Bank B", "Both banks"});
    m_targets = new QLineEdit(group);
    m_targets->setObjectName("EditAssistTargets");
    form->addRow(label(group, "LabelAssistSensor", "Lambda sensor"), m_sensor);
    form->addRow(label(group, "LabelAssistLambda0", "Lambda at 0 V"), m_lambda0);
    form->addRow(label(group, "LabelAssistLambda5", "Lambda at 5 V"), m_lambda5);
    form->addRow(label(group, "LabelAssistTargets", "Targets (throttle rows)"), m_targets);
    form->addRow(label(group, "LabelAssistDelay", "Transport delay"), m_delay);
    form->addRow(label(group, "LabelAssistMinSamples", "Samples a cell needs"), m_minSamples);
    form->addRow(label(group, "LabelAssistAuthority", "Largest fuel change"), m_authority);
    form->addRow(label(group, "LabelAssistRetardStep", "Retard step"), m_retardStep);
    form->addRow(label(group, "LabelAssistMaxRetard", "Largest retard"), m_maxRetard);
    form->addRow(label(group, "LabelAssistBanks", "Fuel corrections to"), m_banks);
    for (QSpinBox* box : {m_delay, m_minSamples, m_authority, m_retardStep, m_maxRetard}) {
        connect(box, &QSpinBox::valueChanged, this, &AssistantWindow::takeControls);
    }
    for (QDoubleSpinBox* box : {m_lambda0, m_lambda5}) {
        connect(box, &QDoubleSpinBox::valueChanged, this, &AssistantWindow::takeControls);
    }
    for (QComboBox* box : {m_sensor, m_banks}) {
        connect(box, &QComboBox::currentIndexChanged, this, &AssistantWindow::takeControls);
    }
    connect(m_targets, &QLineEdit::editingFinished, this, &AssistantWindow::takeControls);
    return group;
}

QWidget* AssistantWindow::buildCommands() {
    auto* row = new QWidget(this);
    auto* buttons = new QHBoxLayout(row);
    buttons->setContentsMargins(0, 0, 0, 0);
    const struct {
        const char* name;
        const char* caption;
        void (AssistantWindow::*clicked)();
    } commands[] = {
        {"ButtonAssistAcceptAll", "Accept all", &AssistantWindow::acceptAllClicked},
        {"ButtonAssistAcceptSelection", "Accept selection",
         &AssistantWindow::acceptSelectionClicked},
        {"ButtonAssistLock", "Lock cells", &AssistantWindow::lockClicked},
        {"ButtonAssistUnlock", "Unlock", &AssistantWindow::unlockClicked},
        {"ButtonAssistReset", "Reset", &AssistantWindow::resetClicked},
    };
    for (const auto& command : commands) {
        QPushButton* made = button(row, command.name, command.caption);
        connect(made, &QPushButton::clicked, this, command.clicked);
        buttons->addWidget(made);
    }
    return row;
}

void AssistantWindow::setSettings(const analysis::AnalysisSettings& settings) {
    m_settings = settings;
    m_showing = true;
    m_sensor->setCurrentIndex(settings.sensor == analysis::SensorModel::Wideband ? 1 : 0);
    m_lambda0->setValue(settings.lambdaAt0V);
    m_lambda5->setValue(settings.lambdaAt5V);
    m_delay->setValue(static_cast<int>(settings.delayMs));
    m_minSamples->setValue(static_cast<int>(settings.minSamples));
    m_authority->setValue(static_cast<int>(settings.authorityPct));
    m_retardStep->setValue(static_cast<int>(settings.retardStepDeg));
    m_maxRetard->setValue(static_cast<int>(settings.maxRetardDeg));
    m_banks->setCurrentIndex(static_cast<int>(settings.banks));
    showTargets();
    m_showing = false;
}

void AssistantWindow::showTargets() {
    const bool wide = m_settings.sensor == analysis::SensorModel::Wideband;
    m_lambda0->setEnabled(wide);
    m_lambda5->setEnabled(wide);
    m_targets->setText(targetsText(m_settings));
}

void AssistantWindow::takeControls() {
    if (m_showing) {
        return;
    }
    analysis::AnalysisSettings taken = m_settings;
    taken.sensor = m_sensor->currentIndex() == 1 ? analysis::SensorModel::Wideband
                                                 : analysis::SensorModel::Narrowband;
    taken.lambdaAt0V = m_lambda0->value();
    taken.lambdaAt5V = m_lambda5->value();
    taken.delayMs = static_cast<unsigned>(m_delay->value());
    taken.minSamples = static_cast<unsigned>(m_minSamples->value());
    taken.authorityPct = m_authority->value();
    taken.retardStepDeg = static_cast<unsigned>(m_retardStep->value());
    taken.maxRetardDeg = static_cast<unsigned>(m_maxRetard->value());
    taken.banks = static_cast<analysis::Banks>(m_banks->currentIndex());
    // Targets typed for the sensor as it was; another sensor shows its own targets.
    if (taken.sensor == m_settings.sensor) {
        readTargets(m_targets->text(), taken);
    }
    const bool changed = !(taken == m_settings);
    m_settings = taken;
    showTargets();
    if (changed) {
        emit settingsChanged();
    }
}

bool AssistantWindow::live() const {
    return m_live->isChecked();
}

void AssistantWindow::setLive(bool on) {
    m_live->setChecked(on);
}

bool AssistantWindow::inTuneSheet() const {
    return m_inSheet->isChecked();
}

void AssistantWindow::showTally(const QString& text) {
    m_tally->setText(text);
}

void AssistantWindow::showLogs(const QStringList& names) {
    m_logs->setText(names.join(", "));
}

QString targetsText(const analysis::AnalysisSettings& settings) {
    QStringList parts;
    for (std::size_t r = 0; r < settings.targetLambda.size(); ++r) {
        parts << (settings.sensor == analysis::SensorModel::Wideband
                      ? QString::number(settings.targetLambda[r], 'f', 2)
                      : QString::number(settings.targetMv[r]));
    }
    return parts.join(", ");
}

bool readTargets(const QString& text, analysis::AnalysisSettings& settings) {
    const QStringList parts = text.split(',', Qt::SkipEmptyParts);
    if (parts.size() != static_cast<qsizetype>(settings.targetLambda.size())) {
        return false;
    }
    const bool wide = settings.sensor == analysis::SensorModel::Wideband;
    analysis::AnalysisSettings read = settings;
    for (std::size_t r = 0; r < read.targetLambda.size(); ++r) {
        bool ok = false;
        const double value = parts[static_cast<qsizetype>(r)].trimmed().toDouble(&ok);
        if (!ok || (wide && (value < 0.5 || value > 1.5)) ||
            (!wide && (value < 0 || value > 5000))) {
            return false;
        }
        if (wide) {
            read.targetLambda[r] = value;
        } else {
            read.targetMv[r] = static_cast<std::uint16_t>(value + 0.5);
        }
    }
    settings = read;
    return true;
}

} // namespace kordana
