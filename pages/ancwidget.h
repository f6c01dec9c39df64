#pragma once
// The noise reduction page: which of outputs 1..8 is cleaned and how strongly. Its buttons
// work only after the device has reported that it has noise reduction.
#include "modulepage.h"

class QButtonGroup;
class QLabel;

class ANCWidget final : public ModulePage
{
    Q_OBJECT
public:
    ANCWidget(DataModel *dm, int index, QWidget *parent = nullptr);

    QButtonGroup *channelGroup() const { return m_channels; }
    QButtonGroup *levelGroup() const { return m_levels; }

protected:
    void retranslate() override;

private:
    QLabel *m_channelTitle = nullptr;
    QLabel *m_levelTitle = nullptr;
    QButtonGroup *m_channels = nullptr;
    QButtonGroup *m_levels = nullptr;
};
