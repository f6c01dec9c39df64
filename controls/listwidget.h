#pragma once
// List widget whose right clicks never change the selection; a context-menu request reports
// the row under the cursor (-1 where there is none).
#include <QListWidget>

class ListWidget final : public QListWidget
{
    Q_OBJECT
public:
    explicit ListWidget(QWidget *parent = nullptr);

signals:
    void contextMenuAtRow(int row);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
};
