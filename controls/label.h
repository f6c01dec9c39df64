#pragma once
// Label that reports double clicks.
#include <QLabel>

class Label final : public QLabel
{
    Q_OBJECT
public:
    explicit Label(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());
    explicit Label(const QString &text, QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());

signals:
    void mouseDoubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};
