#include "about/TFormAbout.h"

#include "kordana/Version.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>

namespace kordana {

namespace {

constexpr int kLogoWidth = 634;
constexpr int kLogoHeight = 481;

// The product logo, drawn once: the program's icon and the product name on white.
QPixmap productLogo() {
    QPixmap logo(kLogoWidth, kLogoHeight);
    logo.fill(Qt::white);
    QPainter p(&logo);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    const QPixmap icon(":/icons/kordana-256.png");
    if (!icon.isNull()) {
        p.drawPixmap(QRect(kLogoWidth / 2 - 110, 40, 220, 220), icon);
    }
    QFont name;
    name.setPixelSize(72);
    name.setBold(true);
    p.setFont(name);
    p.setPen(QColor(20, 40, 90));
    p.drawText(QRect(0, 280, kLogoWidth, 90), Qt::AlignCenter, "Kordana");
    QFont line;
    line.setPixelSize(20);
    p.setFont(line);
    p.setPen(QColor(90, 90, 90));
    p.drawText(QRect(0, 370, kLogoWidth, 40), Qt::AlignCenter,
               "Ignition and injection unit programming");
    return logo;
}

QLabel* placedLabel(QWidget* parent, const char* name, const QRect& geometry, int pixelSize) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    QFont font = label->font();
    font.setPixelSize(pixelSize);
    label->setFont(font);
    label->setGeometry(geometry);
    return label;
}

} // namespace

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
    setFixedSize(662, 568);

    LabelDate = placedLabel(this, "LabelDate", {16, 505, 49, 13}, 11);
    LabelTime = placedLabel(this, "LabelTime", {168, 505, 49, 13}, 11);
    LabelProgramVersion = placedLabel(this, "LabelProgramVersion", {296, 505, 120, 13}, 11);
    auto* image = new QLabel(this);
    image->setObjectName("Image1");
    image->setGeometry(10, 8, kLogoWidth, kLogoHeight);
    image->setPixmap(productLogo());
    LabelExit = placedLabel(this, "LabelExit", {600, 497, 35, 29}, 23);
    LabelExit->setText("OK");
    LabelExit->setCursor(Qt::PointingHandCursor);
    LabelExit->installEventFilter(this);
    FormCreate();
}

QString TFormAbout::titleFor(std::uint8_t languageIndex) {
    switch (languageIndex) {
    case 1:
        return QString::fromUtf8("Über Programm Kordana_R");
    case 2:
        return "Information Kordana_R";
    case 3:
        return "O programu Kordana_R";
    default:
        return "About Kordana_R";
    }
}

QString TFormAbout::versionFor(std::uint8_t languageIndex) {
    const QString word = languageIndex == 3 ? QStringLiteral("Verze") : QStringLiteral("Version");
    return word + ' ' + QString::fromLatin1(kVersion);
}

QString TFormAbout::buildDate() {
    return QString::fromLatin1(__DATE__);
}

QString TFormAbout::buildTime() {
    return QString::fromLatin1(__TIME__);
}

void TFormAbout::FormCreate() {
    LabelDate->setText(buildDate());
    LabelDate->adjustSize();
    LabelTime->setText(buildTime());
    LabelTime->adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.width() / 2 - width() / 2, area.height() / 2 - height() / 2);
    }
}

void TFormAbout::FormActivate() {
    setWindowTitle(titleFor(m_languageIndex));
    LabelProgramVersion->setText(versionFor(m_languageIndex));
    LabelProgramVersion->adjustSize();
}

void TFormAbout::showEvent(QShowEvent* event) {
    // The title is set before the box appears, so it never shows the previous language.
    FormActivate();
    QDialog::showEvent(event);
}

void TFormAbout::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        FormActivate();
    }
    QDialog::changeEvent(event);
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
