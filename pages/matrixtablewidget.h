#pragma once
// The matrix grid: one MixButton per crossing, inputs as rows and outputs as columns. It owns
// the rectangle selection and the two views (switch buttons or gain knobs, "Edit" corner) and
// turns clicks, knob turns and header questions into one signal per output column.
#include "catalogue.h"
#include "widgettable.h"

#include <QByteArray>
#include <QRect>
#include <array>
#include <functional>

class Knob;
class MatrixHeaderView;
class MixButton;
class QPixmap;
class QPushButton;

class MatrixTableWidget final : public WidgetTable
{
    Q_OBJECT
public:
    static constexpr int Channels = proto::ChannelCount;

    explicit MatrixTableWidget(QWidget *parent = nullptr);

    MixButton *cell(int input, int output) const { return m_cells[size_t(input)][size_t(output)]; }
    QPushButton *cornerButton() const { return m_corner; }
    MatrixHeaderView *inputHeader() const { return m_inputHeader; }
    MatrixHeaderView *outputHeader() const { return m_outputHeader; }
    bool isKnobView() const { return m_knobView; }

    // Refreshes under signal blockers.
    void setSwitch(int input, int output, bool on);
    void setGain(int input, int output, int gain);

    void setInputHidden(int input, bool hidden);
    void setOutputHidden(int output, bool hidden);
    // Header captions and the names the questions and the route tip use.
    void setInputCaption(int input, const QString &caption, const QString &name);
    void setOutputCaption(int output, const QString &caption, const QString &name);
    // The Dante icon beside a header caption; a null pixmap removes it.
    void setInputIcon(int input, const QPixmap &icon);
    void setOutputIcon(int output, const QPixmap &icon);

    // The selection: a rectangle of rows (inputs) and columns (outputs); empty when none.
    QRect selection() const { return m_selection; }
    void selectRange(int input0, int output0, int input1, int output1);
    void clearSelection();
    bool isSelected(int input, int output) const { return m_selection.contains(output, input); }

    // The pointer's part, for the cells' event filter and for tests that drive it directly.
    void pressCell(MixButton *cell);
    void dragOverCell(MixButton *cell);
    void releaseCell(MixButton *cell);
    // The keyboard's and assistive tools' click: what a second click on the cell does. A cell
    // outside the selection becomes the selection first.
    void toggleCell(MixButton *cell);

signals:
    // A user's change of these crossings; the table shows it once the model has it.
    void enabledChanged(QByteArray inputs, uchar output, bool on);
    void gainChanged(QByteArray inputs, uchar output, char gain);
    // Around the signals of one user action (several columns, a header question).
    void actionStarted();
    void actionFinished();

public slots:
    void mixButtonClicked(bool checked);
    void singleSelected();
    void mixButtonEntered();
    void mixKnobValueChanged(int value);
    void mixKnobMouseReleased();
    void cornerButtonClicked(bool checked);
    void headerSectionClicked(int index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    MixButton *cellAt(const QPoint &globalPos) const;
    void paintSelection(const QRect &old);
    void toggleSelection(MixButton *cell);
    void setSelectionGain(MixButton *cell, int value);
    void placeCorner();
    void retranslate();
    QByteArray visibleInputs(int output, int firstInput, int lastInput) const;
    bool inputVisible(int input) const { return !isRowHidden(input); }
    bool outputVisible(int output) const { return !isColumnHidden(output); }
    void showRouteTip(MixButton *cell);

    std::array<std::array<MixButton *, Channels>, Channels> m_cells{};
    std::array<QString, Channels> m_inputNames;
    std::array<QString, Channels> m_outputNames;
    QPushButton *m_corner = nullptr;
    MatrixHeaderView *m_inputHeader = nullptr;
    MatrixHeaderView *m_outputHeader = nullptr;
    QRect m_selection;
    MixButton *m_anchor = nullptr;
    bool m_anchorWasSelected = false;
    bool m_dragged = false;
    bool m_knobView = false;
};
