#include "features/log/LogCellPanel.h"

#include "analysis/MapCells.h"
#include "editors/MapGrid.h"
#include "monitor/OperatingPoint.h"
#include "session/EditSession.h"
#include "shell/QtText.h"
#include "shell/Shell.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

namespace kordana {

namespace {

const QColor kNoteColour(0, 0, 170);

constexpr analysis::CellFigure kFigures[] = {
    analysis::CellFigure::Count, analysis::CellFigure::Seconds, analysis::CellFigure::Mean,
    analysis::CellFigure::Min,   analysis::CellFigure::Max,     analysis::CellFigure::Events};

} // namespace

QString cellFigureText(double value) {
    if (std::floor(value) == value && std::abs(value) < 1e9) {
        return QString::number(static_cast<long long>(value));
    }
    const double size = std::abs(value);
    return QString::number(value, 'f', size < 10 ? 2 : (size < 100 ? 1 : 0));
}

LogCellPanel::LogCellPanel(Shell& shell, QWidget* parent) : QWidget(parent), m_shell(shell) {
    build();
    applyTexts(logToolTextsFor(shell.languageIndex()));
}

void LogCellPanel::build() {
    auto* layout = new QVBoxLayout(this);
    auto* choices = new QGridLayout();
    m_mapLabel = new QLabel(this);
    m_channelLabel = new QLabel(this);
    m_figureLabel = new QLabel(this);
    m_map = new QComboBox(this);
    m_map->setObjectName("ComboLogCellMap");
    for (int page = 0; page < static_cast<int>(kMapPageCount); ++page) {
        m_map->addItem(m_shell.pageCaption(page));
    }
    m_channel = new QComboBox(this);
    m_channel->setObjectName("ComboLogCellChannel");
    m_figure = new QComboBox(this);
    m_figure->setObjectName("ComboLogCellFigure");
    for (std::size_t f = 0; f < std::size(kFigures); ++f) {
        m_figure->addItem(QString());
    }
    choices->addWidget(m_mapLabel, 0, 0);
    choices->addWidget(m_map, 0, 1);
    choices->addWidget(m_channelLabel, 0, 2);
    choices->addWidget(m_channel, 0, 3);
    choices->addWidget(m_figureLabel, 0, 4);
    choices->addWidget(m_figure, 0, 5);
    m_hits = new QPushButton(this);
    m_hits->setObjectName("ButtonLogHits");
    m_meanLambda = new QPushButton(this);
    m_meanLambda->setObjectName("ButtonLogMeanLambda");
    m_knockEvents = new QPushButton(this);
    m_knockEvents->setObjectName("ButtonLogKnockEvents");
    m_onMap = new QCheckBox(this);
    m_onMap->setObjectName("CheckBoxLogCellsOnMap");
    choices->addWidget(m_hits, 1, 1);
    choices->addWidget(m_meanLambda, 1, 3);
    choices->addWidget(m_knockEvents, 1, 5);
    choices->addWidget(m_onMap, 1, 6);
    layout->addLayout(choices);
    buildTable(layout);
}

void LogCellPanel::buildTable(QVBoxLayout* layout) {
    m_cells = new QTableWidget(static_cast<int>(layout::kMapRows),
                               static_cast<int>(layout::kMapCols), this);
    m_cells->setObjectName("TableLogCells");
    m_cells->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_cells->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    layout->addWidget(m_cells, 1);

    connect(m_map, &QComboBox::currentIndexChanged, this, [this] { recompute(); });
    connect(m_channel, &QComboBox::currentIndexChanged, this, [this] { recompute(); });
    connect(m_figure, &QComboBox::currentIndexChanged, this, [this] { showTable(); });
    connect(m_hits, &QPushButton::clicked, this,
            [this] { applyPreset(analysis::CellPreset::Hits); });
    connect(m_meanLambda, &QPushButton::clicked, this,
            [this] { applyPreset(analysis::CellPreset::MeanLambda); });
    connect(m_knockEvents, &QPushButton::clicked, this,
            [this] { applyPreset(analysis::CellPreset::KnockEvents); });
    connect(m_onMap, &QCheckBox::toggled, this, [this] { updateMap(); });
}

void LogCellPanel::applyTexts(const LogToolTexts& texts) {
    m_mapLabel->setText(toQString(texts.map));
    m_channelLabel->setText(toQString(texts.channel));
    m_figureLabel->setText(toQString(texts.figure));
    const std::string_view figures[] = {texts.count,   texts.seconds, texts.mean,
                                        texts.minimum, texts.maximum, texts.events};
    for (std::size_t f = 0; f < std::size(figures); ++f) {
        m_figure->setItemText(static_cast<int>(f), toQString(figures[f]));
    }
    m_hits->setText(toQString(texts.hits));
    m_meanLambda->setText(toQString(texts.meanLambda));
    m_knockEvents->setText(toQString(texts.knockEvents));
    m_onMap->setText(toQString(texts.showOnMap));
    for (int page = 0; page < m_map->count(); ++page) {
        m_map->setItemText(page, m_shell.pageCaption(page));
    }
}

void LogCellPanel::setLog(const MonitorLog* log) {
    m_log = log;
    m_filling = true;
    m_channel->clear();
    m_channel->addItem(QStringLiteral("-"));
    if (log != nullptr) {
        for (const std::string& name : log->columns) {
            m_channel->addItem(QString::fromStdString(name));
        }
    }
    m_filling = false;
    m_rows =
        log != nullptr ? analysis::RowRange{0, log->rowCount() - 1, false} : analysis::RowRange{};
    recompute();
}

void LogCellPanel::setRows(analysis::RowRange rows) {
    m_rows = rows;
    recompute();
}

void LogCellPanel::setMapPage(int page) {
    if (page >= 0 && page < m_map->count() && page != m_map->currentIndex()) {
        m_map->setCurrentIndex(page);
    }
}

int LogCellPanel::mapPage() const {
    return m_map->currentIndex();
}

void LogCellPanel::applyPreset(analysis::CellPreset preset) {
    const analysis::PresetChoice choice =
        analysis::presetChoice(preset, static_cast<std::size_t>(std::max(0, mapPage())));
    choose(m_log != nullptr && !choice.column.empty() ? m_log->column(choice.column) : std::nullopt,
           choice.figure);
}

void LogCellPanel::choose(std::optional<std::size_t> column, analysis::CellFigure figure) {
    m_filling = true;
    m_channel->setCurrentIndex(column ? static_cast<int>(*column) + 1 : 0);
    m_figure->setCurrentIndex(static_cast<int>(figure));
    m_filling = false;
    recompute();
}

std::optional<std::size_t> LogCellPanel::chosenColumn() const {
    const int index = m_channel->currentIndex();
    if (m_log == nullptr || index <= 0) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(index - 1);
}

analysis::CellFigure LogCellPanel::chosenFigure() const {
    return kFigures[std::clamp(m_figure->currentIndex(), 0,
                               static_cast<int>(std::size(kFigures)) - 1)];
}

void LogCellPanel::recompute() {
    if (m_filling) {
        return;
    }
    m_table = {};
    if (m_log != nullptr && !m_rows.empty) {
        const auto page = static_cast<std::size_t>(std::max(0, mapPage()));
        m_table =
            analysis::cellTable(*m_log, analysis::mapBreakpoints(m_shell.session().image(), page),
                                chosenColumn(), m_rows.first, m_rows.last);
    }
    showTable();
}

QString LogCellPanel::cellText(int row, int column) const {
    const auto figure = m_table.figure(static_cast<std::size_t>(row) * layout::kMapCols +
                                           static_cast<std::size_t>(column),
                                       chosenFigure());
    return figure ? cellFigureText(*figure) : QString();
}

void LogCellPanel::showTable() {
    if (m_filling) {
        return;
    }
    const auto page = static_cast<std::size_t>(std::max(0, mapPage()));
    const auto breakpoints = analysis::mapBreakpoints(m_shell.session().image(), page);
    QStringList columns;
    for (const std::uint8_t breakpoint : breakpoints) {
        columns << QString::number(breakpoint * 50);
    }
    QStringList rows;
    for (const std::uint8_t throttle : kThrottleRows) {
        rows << QString("%1%").arg(throttle);
    }
    m_cells->setHorizontalHeaderLabels(columns);
    m_cells->setVerticalHeaderLabels(rows);
    for (int r = 0; r < m_cells->rowCount(); ++r) {
        for (int c = 0; c < m_cells->columnCount(); ++c) {
            auto* item = new QTableWidgetItem(cellText(r, c));
            item->setTextAlignment(Qt::AlignCenter);
            m_cells->setItem(r, c, item);
        }
    }
    updateMap();
}

std::vector<CellNote> LogCellPanel::notes() const {
    std::vector<CellNote> notes;
    for (int r = 0; r < static_cast<int>(layout::kMapRows); ++r) {
        for (int c = 0; c < static_cast<int>(layout::kMapCols); ++c) {
            const QString text = cellText(r, c);
            if (!text.isEmpty()) {
                notes.push_back(
                    {r, c, text, kNoteColour, false, m_figure->currentText() + ": " + text});
            }
        }
    }
    return notes;
}

void LogCellPanel::setShownOnMap(bool on) {
    m_onMap->setChecked(on);
}

bool LogCellPanel::shownOnMap() const {
    return m_onMap->isChecked();
}

// The notes are the map grid's one overlay: they are taken away only if this panel put them.
void LogCellPanel::updateMap() {
    MapGrid& grid = m_shell.mapGrid();
    if (m_onMap->isChecked() && window()->isVisible()) {
        grid.setCellNotes(notes());
        m_notesShown = true;
    } else if (m_notesShown) {
        grid.setCellNotes({});
        m_notesShown = false;
    }
}

} // namespace kordana
