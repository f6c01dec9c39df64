#pragma once
// The meter window: four banks of sixteen meters (input before and after its fader, output
// before and after). The overview hands it every meter report and keeps its floor in step.
#include "dialog.h"

#include <array>

class MeterBank;

class MeterDialog final : public Dialog
{
    Q_OBJECT
public:
    enum Bank { InputPre, InputPost, OutputPre, OutputPost, BankCount };
    static constexpr int Maximum = 24;

    explicit MeterDialog(QWidget *parent = nullptr);
    ~MeterDialog() override;

    MeterBank *bank(Bank b) const { return m_banks[size_t(b)]; }
    // The levels of one bank (16 signed dB values).
    void showLevels(Bank b, const qint8 *levels);
    int floor() const;
    // Switches the floor between -40 and -100 dB without telling the overview.
    void toggleFloor();

public slots:
    // Ctrl+N in this window: toggles, then lets the overview follow.
    void meterRangeShortcutActivated();

signals:
    void meterRangeToggled();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void retranslate() override;

    std::array<MeterBank *, BankCount> m_banks{};
    bool m_geometryRestored = false;
};
