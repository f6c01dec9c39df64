#include "splashscreen.h"

#include "dspversion.h"
#include "systemsettings.h"

#include <QApplication>
#include <QBitmap>
#include <QEvent>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace {
SplashScreen *s_instance = nullptr;
} // namespace

SplashScreen::SplashScreen(const QPixmap &pixmap)
    : QSplashScreen(pixmap)
{
    if (!s_instance)
        s_instance = this;

    // Shape the window too: without a compositor the transparent corners would be black.
    if (!pixmap.mask().isNull())
        setMask(pixmap.mask());

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(0);

    m_titleLabel = new QLabel(this);
    QFont titleFont = QApplication::font();
    titleFont.setPointSize(10);
    titleFont.setBold(true);
    titleFont.setWeight(75);
    m_titleLabel->setFont(titleFont);
    m_titleLabel->setTextFormat(Qt::PlainText);

    m_loadingLabel = new QLabel(this);
    QFont loadingFont = m_loadingLabel->font();
    loadingFont.setBold(false);
    m_loadingLabel->setFont(loadingFont);

    m_progressBar = new QProgressBar(this);
    m_progressBar->setRange(0, 100);
    m_progressBar->setValue(0);
    m_progressBar->setTextVisible(false);
    m_progressBar->setFixedSize(pixmap.width() - 16, 8);

    m_versionLabel = new QLabel(this);
    m_versionLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    layout->addStretch();
    layout->addWidget(m_titleLabel);
    layout->addSpacing(8);
    layout->addWidget(m_loadingLabel);
    layout->addWidget(m_progressBar, 0, Qt::AlignHCenter);
    layout->addStretch();
    layout->addWidget(m_versionLabel);

    retranslate();
}

SplashScreen::~SplashScreen()
{
    if (s_instance == this)
        s_instance = nullptr;
}

SplashScreen *SplashScreen::instance()
{
    return s_instance;
}

void SplashScreen::setProgress(int value)
{
    m_progressBar->setValue(qBound(0, value, 100));
    // The event loop is not running yet while the windows are being built.
    if (isVisible())
        repaint();
}

int SplashScreen::progress() const
{
    return m_progressBar->value();
}

void SplashScreen::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QSplashScreen::changeEvent(event);
}

void SplashScreen::retranslate()
{
    const SystemSettings *settings = SystemSettings::instance();
    m_titleLabel->setText(settings ? settings->title() : QString());
    m_loadingLabel->setText(tr("Loading") + QStringLiteral("..."));
    m_versionLabel->setText(tr("App Version") + QStringLiteral(" : ") + QStringLiteral(DSP_VERSION));
}
