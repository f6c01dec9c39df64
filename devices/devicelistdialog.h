#pragma once
// The device table window: every known device with its address, versions, texts, link
// status and running times, one row per DataModel device index.
#include "windowdialog.h"

#include "datamodel.h"

class QPushButton;
class QTableWidget;

class DeviceListDialog final : public WindowDialog
{
    Q_OBJECT
public:
    enum Column {
        IpAddressColumn, ModelColumn, ArmVersionColumn, DspVersionColumn, LocationColumn,
        DescriptionColumn, SerialNumberColumn, LinkStatusColumn, RunTimeColumn, TotalTimeColumn,
        RemoveColumn, ColumnCount
    };
    enum LinkStatus { Offline = 0, OnlineUnlogin = 1, OnlineLogined = 2, Logined = 3 };
    // The link status code is kept in its cell under this role, so a language change can
    // rewrite the text.
    static constexpr int LinkStatusRole = Qt::UserRole + 100;

    explicit DeviceListDialog(DataModel *dataModel, QWidget *parent = nullptr);

    // "%dday %02d:%02d:%02d"
    static QString formatRunTime(uint seconds);

    QTableWidget *table() const { return m_table; }
    // The window width at which every column shows whole, without horizontal scrolling.
    int widthForAllColumns() const;

public slots:
    void addDevice(DataModel::UDPBrowsingPacket *record, bool online);
    void removeDevice(int index);
    void setIPAddress(uint index, uint address);
    void setModel(uint index, const QString &model);
    void setARMVersion(uint index, uchar major, uchar minor, uchar patch);
    void setDSPVersion(uint index, uchar major, uchar minor, uchar patch);
    void setLocation(uint index, const QString &location);
    void setDescription(uint index, const QString &description);
    void setSerialNumber(uint index, const QString &serialNumber);
    void setLinkStatus(int index);
    void setRunTime(uint index, uint runTime, uint totalTime);
    void removeButtonClicked();

protected:
    void changeEvent(QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void retranslate() override;
    QString linkStatusText(int code) const;
    void setCellText(int row, int column, const QString &text);
    void removeRow(int row);
    void nameRemoveButton(int row);
    void fitRemoveColumn();

    DataModel *m_dataModel;
    QTableWidget *m_table = nullptr;
    bool m_geometryRestored = false;
    bool m_sized = false;
    bool m_ownRemoval = false; // the model echoes this window's own removal
};
