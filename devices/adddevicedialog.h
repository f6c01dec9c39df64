#pragma once
// Adds a device by its IP address, for devices that discovery does not reach.
#include <QDialog>

class DataModel;
class LineEdit;
class QDialogButtonBox;
class QLabel;

class AddDeviceDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AddDeviceDialog(DataModel *dataModel, QWidget *parent = nullptr);

    LineEdit *addressEdit() const { return m_addressEdit; }

public slots:
    void okButtonClicked();

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    DataModel *m_dataModel;
    QLabel *m_addressLabel = nullptr;
    LineEdit *m_addressEdit = nullptr;
    QDialogButtonBox *m_buttonBox = nullptr;
};
