#pragma once
// Small value popup shown above the control being edited. At most one exists; it deletes
// itself when closed.
#include "widget.h"

#include <QPointer>

class QLabel;
class QTimer;

class TipBox final : public Widget
{
    Q_OBJECT
public:
    static void showTip(QWidget *widget, const QString &title, const QString &text = QString());
    static void closeTip();
    // The popup on show, or nullptr.
    static TipBox *instance();

    QWidget *targetWidget() const { return m_widget; }
    QString title() const;
    QString text() const;
    bool isTextVisible() const;
    bool isClosePending() const;
    int closeDelay() const;

public slots:
    void timeout();

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    explicit TipBox(QWidget *parent = nullptr);
    void setTitle(const QString &title);
    void setText(const QString &text);

    static QPointer<TipBox> s_instance;

    QPointer<QWidget> m_widget;
    QLabel *m_titleLabel = nullptr;
    QLabel *m_textLabel = nullptr;
    QTimer *m_closeTimer = nullptr;
};
