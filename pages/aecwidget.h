#pragma once
// The echo cancellation page: a diagram of the conference link, the local switch, and the
// remote switch with the sixteen inputs that carry the local microphones.
#include "catalogue.h"
#include "modulepage.h"

#include <array>

class ChannelCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;

class AECWidget final : public ModulePage
{
    Q_OBJECT
public:
    AECWidget(DataModel *dm, int index, QWidget *parent = nullptr);

    QPushButton *localButton() const { return m_local; }
    QPushButton *remoteButton() const { return m_remote; }
    ChannelCheckBox *micCheckBox(int input) const { return m_mics[size_t(input)]; }
    QLabel *diagramLabel() const { return m_diagram; }
    // ":/image/AEC-Frame.png" or its light-scheme form.
    static QString diagramPath(bool dark);

    void refreshLabels(Side side, int channel) override;
    void refreshDante(bool connected) override;

protected:
    void applyChannelMasks() override;
    void retranslate() override;
    void changeEvent(QEvent *event) override;

private:
    void showSwitch(QPushButton *button, bool on);
    void loadDiagram();

    QLabel *m_diagram = nullptr;
    std::array<QLabel *, 4> m_diagramCaptions{};
    QGroupBox *m_localGroup = nullptr;
    QGroupBox *m_remoteGroup = nullptr;
    QPushButton *m_local = nullptr;
    QPushButton *m_remote = nullptr;
    QLabel *m_tip = nullptr;
    std::array<ChannelCheckBox *, proto::ChannelCount> m_mics{};
};
