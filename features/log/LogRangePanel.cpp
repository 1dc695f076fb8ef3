#include "features/log/LogRangePanel.h"

#include "settings/AtomicFile.h"
#include "shell/QtText.h"

#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

namespace kordana {

namespace {

QString figure(double value) {
    return std::isnan(value) ? QStringLiteral("-") : QString::number(value, 'g', 6);
}

} // namespace

LogRangePanel::LogRangePanel(QWidget* parent) : QWidget(parent) {
    build();
    applyTexts(logToolTextsFor(0));
}

void LogRangePanel::build() {
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout();
    m_fromLabel = new QLabel(this);
    m_toLabel = new QLabel(this);
    m_from = new QDoubleSpinBox(this);
    m_from->setObjectName("SpinLogRangeFrom");
    m_to = new QDoubleSpinBox(this);
    m_to->setObjectName("SpinLogRangeTo");
    for (QDoubleSpinBox* box : {m_from, m_to}) {
        box->setDecimals(3);
        box->setRange(0, 0);
        box->setSingleStep(1);
    }
    m_useVisible = new QPushButton(this);
    m_useVisible->setObjectName("ButtonLogRangeVisible");
    m_rowCount = new QLabel(this);
    m_rowCount->setObjectName("LabelLogRangeRows");
    m_export = new QPushButton(this);
    m_export->setObjectName("ButtonLogExportRange");
    row->addWidget(m_fromLabel);
    row->addWidget(m_from);
    row->addWidget(m_toLabel);
    row->addWidget(m_to);
    row->addWidget(m_useVisible);
    row->addWidget(m_rowCount, 1);
    row->addWidget(m_export);
    layout->addLayout(row);
    m_table = new QTableWidget(0, 5, this);
    m_table->setObjectName("TableLogRangeStats");
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    layout->addWidget(m_table, 1);

    for (QDoubleSpinBox* box : {m_from, m_to}) {
        connect(box, &QDoubleSpinBox::valueChanged, this, [this] {
            if (!m_filling) {
                recompute();
            }
        });
    }
    connect(m_useVisible, &QPushButton::clicked, this, [this] {
        if (m_visible) {
            const auto [from, to] = m_visible();
            setRange(from, to);
        }
    });
    connect(m_export, &QPushButton::clicked, this, [this] { exportClicked(); });
}

void LogRangePanel::applyTexts(const LogToolTexts& texts) {
    m_texts = texts;
    m_fromLabel->setText(toQString(texts.from));
    m_toLabel->setText(toQString(texts.to));
    m_useVisible->setText(toQString(texts.visibleRange));
    m_export->setText(toQString(texts.exportCsv));
    m_table->setHorizontalHeaderLabels({toQString(texts.channel), toQString(texts.minimum),
                                        toQString(texts.maximum), toQString(texts.mean),
                                        toQString(texts.values)});
    m_rowCount->setText(toQString(texts.rows).arg(m_rows.size()));
}

void LogRangePanel::setLog(const MonitorLog* log) {
    m_log = log;
    const double end = log != nullptr ? log->elapsed.back() : 0.0;
    m_filling = true;
    m_from->setRange(0, end);
    m_to->setRange(0, end);
    m_filling = false;
    setRange(0, end);
}

void LogRangePanel::setRange(double from, double to) {
    m_filling = true;
    m_from->setValue(from);
    m_to->setValue(to);
    m_filling = false;
    recompute();
}

void LogRangePanel::recompute() {
    m_rows = m_log != nullptr ? analysis::rowRange(*m_log, m_from->value(), m_to->value())
                              : analysis::RowRange{};
    m_stats = m_log != nullptr ? analysis::rangeStatistics(*m_log, m_rows)
                               : std::vector<analysis::ChannelStats>{};
    m_table->setRowCount(static_cast<int>(m_stats.size()));
    for (std::size_t c = 0; c < m_stats.size(); ++c) {
        const analysis::ChannelStats& s = m_stats[c];
        const QString cells[] = {QString::fromStdString(m_log->columns[c]), figure(s.min),
                                 figure(s.max), figure(s.mean), QString::number(s.values)};
        for (int k = 0; k < 5; ++k) {
            m_table->setItem(static_cast<int>(c), k, new QTableWidgetItem(cells[k]));
        }
    }
    m_rowCount->setText(toQString(m_texts.rows).arg(m_rows.size()));
    m_export->setEnabled(!m_rows.empty);
}

bool LogRangePanel::exportRange(const QString& path, QString* reason) const {
    if (m_log == nullptr) {
        return false;
    }
    return writeFileAtomically(path, analysis::rangeCsv(*m_log, m_rows), reason);
}

void LogRangePanel::exportClicked() {
    const QString path = m_askPath ? m_askPath() : QString();
    if (path.isEmpty()) {
        return;
    }
    QString reason;
    const bool written = exportRange(path, &reason);
    if (m_report) {
        m_report(written ? toQString(m_texts.exported).arg(path)
                         : toQString(m_texts.exportError).arg(path, reason));
    }
}

} // namespace kordana
