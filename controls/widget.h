#pragma once
// Plain container that lets the style draw its background, so style-sheet backgrounds and
// borders apply to it.
#include <QWidget>

class Widget : public QWidget
{
    Q_OBJECT
public:
    explicit Widget(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::WindowFlags());

protected:
    void paintEvent(QPaintEvent *event) override;
};
