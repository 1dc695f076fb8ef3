#include "about/TFormAbout.h"

#include <QEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>

namespace kordana {

TFormAbout::TFormAbout(QWidget* parent) : QDialog(parent) {
    setObjectName("FormAbout");
    setWindowTitle("Kordana");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    palette.setColor(QPalette::WindowText, Qt::black);
    setPalette(palette);

    auto* name = new QLabel("Kordana", this);
    name->setObjectName("LabelProduct");
    QFont big = name->font();
    big.setPixelSize(40);
    big.setBold(true);
    name->setFont(big);
    name->setAlignment(Qt::AlignCenter);

    LabelDate = new QLabel(this);
    LabelDate->setObjectName("LabelDate");
    LabelTime = new QLabel(this);
    LabelTime->setObjectName("LabelTime");
    LabelExit = new QLabel("OK", this);
    LabelExit->setObjectName("LabelExit");
    QFont exitFont = LabelExit->font();
    exitFont.setPixelSize(23);
    LabelExit->setFont(exitFont);
    LabelExit->setCursor(Qt::PointingHandCursor);
    LabelExit->installEventFilter(this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(name, 0, 0, 1, 4);
    grid->setRowStretch(0, 1);
    grid->addWidget(LabelDate, 1, 0);
    grid->addWidget(LabelTime, 1, 1);
    grid->setColumnStretch(2, 1);
    grid->addWidget(LabelExit, 1, 3);
    resize(420, 240);
    FormCreate();
}

QString TFormAbout::buildDate() {
    return QString::fromLatin1(__DATE__);
}

QString TFormAbout::buildTime() {
    return QString::fromLatin1(__TIME__);
}

void TFormAbout::FormCreate() {
    LabelDate->setText(buildDate());
    LabelTime->setText(buildTime());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.width() / 2 - width() / 2, area.height() / 2 - height() / 2);
    }
}

void TFormAbout::Button1Click() {
    accept();
}

bool TFormAbout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == LabelExit && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        Button1Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace kordana
