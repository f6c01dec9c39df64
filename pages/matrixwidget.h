#pragma once
// The matrix page: the grid of crossings (inputs to outputs) with "All Mix" and "Reset". It
// edits through the model: one switch command per output column, gains queued; every
// crossing shows what the model announces for it.
#include "catalogue.h"
#include "modulepage.h"
#include "parameteredit.h"

#include <QByteArray>
#include <memory>

class EditGroupHolder;
class EditHistory;
class MatrixTableWidget;
class QPushButton;

class MatrixWidget final : public ModulePage
{
    Q_OBJECT
public:
    MatrixWidget(DataModel *dm, int index, QWidget *parent = nullptr);
    ~MatrixWidget() override;

    MatrixTableWidget *table() const { return m_table; }
    QPushButton *allMixButton() const { return m_allMix; }
    QPushButton *resetButton() const { return m_reset; }

    // Every crossing from the model.
    void refreshAll();
    void refreshLabels(Side side, int channel) override;
    void refreshDante(bool connected) override;

public slots:
    void tableWidgetEnabledChanged(QByteArray inputs, uchar output, bool on);
    void tableWidgetGainChanged(QByteArray inputs, uchar output, char gain);
    void allMixButtonClicked();

protected:
    void applyChannelMasks() override;
    void retranslate() override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    void refreshCell(proto::MessageKey key, int input, int output);
    void editCells(proto::MessageKey key, const QByteArray &inputs, uchar output, int value, SendRule rule);
    void nameCells();

    MatrixTableWidget *m_table = nullptr;
    QPushButton *m_allMix = nullptr;
    QPushButton *m_reset = nullptr;
    std::unique_ptr<EditGroupHolder> m_group;
};
