#pragma once
// The start-up window: title, a loading line with a progress bar and the version, drawn
// over a rounded pixmap while the device link and the main window are built.
#include <QSplashScreen>

class QEvent;
class QLabel;
class QProgressBar;

class SplashScreen final : public QSplashScreen
{
    Q_OBJECT
public:
    explicit SplashScreen(const QPixmap &pixmap);
    ~SplashScreen() override;

    // The first instance constructed (and not yet destroyed), or null.
    static SplashScreen *instance();

    void setProgress(int value);
    int progress() const;

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    QLabel *m_titleLabel = nullptr;
    QLabel *m_loadingLabel = nullptr;
    QProgressBar *m_progressBar = nullptr;
    QLabel *m_versionLabel = nullptr;
};
