#pragma once
// What the limiter and AGC pages share: one channel at a time picked with sixteen channel
// buttons, "Copy To" and "Reset", an "Enabled" button, a transfer graph and a column of
// knob fields (caption, edit, knob).
#include "modulepage.h"

#include <QVector>

class Knob;
class LineEdit;
class QButtonGroup;
class QLabel;
class QPushButton;

class DynamicsPage : public ModulePage
{
    Q_OBJECT
public:
    struct Field {
        QLabel *label = nullptr;
        LineEdit *edit = nullptr;
        Knob *knob = nullptr;
    };

    int checkedChannel() const override { return m_channel; }
    QPushButton *channelButton(int channel) const;
    QPushButton *copyButton() const { return m_copy; }
    QPushButton *resetButton() const { return m_reset; }
    QPushButton *enabledButton() const { return m_enabled; }
    const Field &field(int i) const { return m_fields[i]; }

    void refreshLabels(Side side, int channel) override;
    void refreshDante(bool connected) override;

protected:
    // fields: the number of knob fields, with the knob ranges given later by setRange.
    DynamicsPage(DataModel *dm, int index, Side side, int fields, QWidget *graph, QWidget *parent);

    void setRange(int field, int minimum, int maximum);
    // Shows a field without emitting anything.
    void showField(int field, const QString &text, int knobPosition);
    // Takes the focus off an edit without finishing it a second time.
    static void defocus(LineEdit *edit);
    // "<title> - Copy <channel> to"
    QString copyTitle(const QString &title) const;
    // The reset question; true on OK.
    bool confirmReset(const QString &question);
    // Names the fields and the common buttons: captions[i] and units[i] per field.
    void retranslateCommon(const QStringList &captions, const QStringList &units);

    virtual void channelButtonGroupButtonClicked(int id) = 0;
    virtual void copyToButtonClicked() = 0;
    virtual void resetButtonClicked() = 0;
    virtual void enabledButtonClicked() = 0;
    virtual void fieldEditFinished(int field) = 0;
    virtual void fieldKnobChanged(int field, int position) = 0;

    void applyChannelMasks() override;

    int m_channel = 0;

private:
    QButtonGroup *m_channels = nullptr;
    QPushButton *m_copy = nullptr;
    QPushButton *m_reset = nullptr;
    QPushButton *m_enabled = nullptr;
    QVector<Field> m_fields;
};
