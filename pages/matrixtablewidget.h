#pragma once
// The matrix grid: inputs as rows and outputs as columns, one painted cell per crossing (a
// switch button showing the crossing's gain, or in the knob view a gain knob). Cells are not
// widgets: 256 crossings as widgets cost more to lay out, refresh and paint than the page can
// afford. The grid owns the rectangle selection and the two views ("Edit" corner) and turns
// clicks, knob turns, keys and header questions into one signal per output column. Every
// crossing is an accessible cell of its own (matrixaccessible.h).
#include "catalogue.h"
#include "tablewidget.h"

#include <QByteArray>
#include <QColor>
#include <QHash>
#include <QImage>
#include <QPair>
#include <QRect>
#include <QTransform>
#include <array>
#include <bitset>

class Knob;
class MatrixHeaderView;
class QAccessibleInterface;
class QPixmap;
class QPushButton;

class MatrixTableWidget final : public TableWidget
{
    Q_OBJECT
public:
    static constexpr int Channels = proto::ChannelCount;
    // Whole dB; gains below GainFloor are off: shown as -100.
    static constexpr int GainMinimum = -56;
    static constexpr int GainMaximum = 12;
    static constexpr int GainFloor = -55;
    enum Edge { Left = 1, Top = 2, Right = 4, Bottom = 8 };

    explicit MatrixTableWidget(QWidget *parent = nullptr);
    ~MatrixTableWidget() override;

    QPushButton *cornerButton() const { return m_corner; }
    MatrixHeaderView *inputHeader() const { return m_inputHeader; }
    MatrixHeaderView *outputHeader() const { return m_outputHeader; }
    bool isKnobView() const { return m_knobView; }

    // Refreshes: they repaint the cell and never edit.
    void setSwitch(int input, int output, bool on);
    void setGain(int input, int output, int gain);
    bool isOn(int input, int output) const { return at(input, output).on; }
    int gain(int input, int output) const { return at(input, output).gain; }
    // What a cell's button shows: its gain in whole dB, -100 when off the scale.
    static QString gainText(int gain);
    QString cellText(int input, int output) const { return gainText(gain(input, output)); }
    // "on, -3.0 dB" or "off", in the interface language.
    QString stateText(int input, int output) const;
    // The name assistive tools read for a crossing.
    void setCellName(int input, int output, const QString &name);
    QString cellName(int input, int output) const { return m_names[index(input, output)]; }
    // Where the cell's button or knob lies in the viewport; empty for a hidden row or column.
    QRect cellRect(int input, int output) const;
    // The cell under a viewport position; false over none.
    bool cellAt(const QPoint &position, int *input, int *output) const;

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
    // The cell's part of the selection's border: "left_top_selected", "center", ...
    QString frameStyle(int input, int output) const;

    // The pointer's part, for the mouse handlers and for tests that drive it directly. A
    // release outside every cell passes -1.
    void pressCell(int input, int output);
    void dragOverCell(int input, int output);
    void releaseCell(int input, int output);
    // The keyboard's and assistive tools' click: what a second click on the cell does. A cell
    // outside the selection becomes the selection first.
    void toggleCell(int input, int output);
    // A turn of the cell's knob to value: the gain of the selection, or of the cell alone
    // when it lies outside it.
    void turnCell(int input, int output, int value);
    // The keyboard's cell; -1, -1 when none.
    int currentInput() const;
    int currentOutput() const;

    // The cell's accessible interface, made on first use; null out of range.
    QAccessibleInterface *cellInterface(int input, int output) const;

signals:
    // A user's change of these crossings; the table shows it once the model has it.
    void enabledChanged(QByteArray inputs, uchar output, bool on);
    void gainChanged(QByteArray inputs, uchar output, char gain);
    // Around the signals of one user action (several columns, a header question).
    void actionStarted();
    void actionFinished();

public slots:
    void cornerButtonToggled(bool checked);
    void headerSectionClicked(int index);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    bool viewportEvent(QEvent *event) override;
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    struct Cell {
        bool on = false;
        int gain = 0;
    };
    static int index(int input, int output) { return input * Channels + output; }
    static bool inRange(int input, int output)
    {
        return input >= 0 && input < Channels && output >= 0 && output < Channels;
    }
    const Cell &at(int input, int output) const { return m_state[size_t(index(input, output))]; }
    // What every cell of one paint shares.
    struct PaintContext {
        QColor ground;
        qreal pixelRatio = 1;
        QImage::Format format = QImage::Format_ARGB32_Premultiplied;
        bool copied = false; // cells are copies of cached looks
        // At a fractional scale cells lie at fractions of a device pixel: their looks are
        // drawn at the cell's fraction and copied onto whole device pixels (toDevice makes the
        // painter's units device pixels).
        bool fractional = false;
        QTransform device;
        QTransform toDevice;
        int focusInput = -1;
        int focusOutput = -1;
    };
    PaintContext paintContext(QPainter *painter) const;
    void paintCell(QPainter *painter, const PaintContext &context, const QRect &full, int input, int output) const;
    // Whether the viewport's ground is one opaque colour, which cells and background can be
    // painted on without what lies behind.
    bool solidGround() const;
    void drawCell(QPainter *painter, const QRect &full, int input, int output) const;
    // Marks the cell for the next repaint; the marked cells of one event-loop pass are
    // repainted together (flushUpdates).
    void updateCell(int input, int output);
    void flushUpdates();
    // Tells assistive tools what changed in a cell they know.
    void announceCell(int input, int output, bool switched) const;
    void setHovered(int input, int output);
    // The hidden knob that turns for the cell under the pointer or the keyboard.
    void aimKnob(int input, int output);
    QPoint knobOrigin(int input, int output) const;
    QPoint knobOrigin(const QRect &content) const;
    void paintSelection(const QRect &old);
    void toggleSelection(int input, int output);
    void placeCorner();
    void retranslate();
    QByteArray visibleInputs(int output, int firstInput, int lastInput) const;
    bool inputVisible(int input) const { return !isRowHidden(input); }
    bool outputVisible(int output) const { return !isColumnHidden(output); }
    void showRouteTip(int input, int output);

    std::array<Cell, Channels * Channels> m_state{};
    std::array<QString, Channels * Channels> m_names;
    mutable std::array<unsigned, Channels * Channels> m_cellIds{};
    // Painted cells by their look (state, size, pixel ratio, format) and the fraction of a
    // device pixel their origin lies at, in 64ths per axis.
    mutable QHash<QPair<quint64, int>, QImage> m_looks;
    std::bitset<Channels * Channels> m_dirty;
    bool m_flushPosted = false;
    std::array<QString, Channels> m_inputNames;
    std::array<QString, Channels> m_outputNames;
    QPushButton *m_corner = nullptr;
    // Hidden: the style paints every cell's button as this one's and every knob's box as
    // this plain widget's, and this knob turns for the cell being worked (its value, keys,
    // wheel and drag stay the knob's own).
    QPushButton *m_buttonLook = nullptr;
    QWidget *m_boxLook = nullptr;
    Knob *m_knob = nullptr;
    MatrixHeaderView *m_inputHeader = nullptr;
    MatrixHeaderView *m_outputHeader = nullptr;
    QRect m_selection;
    int m_anchorInput = -1;
    int m_anchorOutput = -1;
    int m_knobInput = -1;
    int m_knobOutput = -1;
    int m_hoverInput = -1;
    int m_hoverOutput = -1;
    bool m_anchorWasSelected = false;
    bool m_dragged = false;
    bool m_knobView = false;
    bool m_turning = false;
};
