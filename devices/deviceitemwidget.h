#pragma once
// One row of the device list panel: model, address and preset of a device with its fault,
// login and online glyphs.
#include "widget.h"

class QLabel;

class DeviceItemWidget final : public Widget
{
    Q_OBJECT
public:
    explicit DeviceItemWidget(QWidget *parent = nullptr);

    // Icon-font glyphs of the online mark.
    static constexpr ushort OnlineGlyph = 0xF002;  // magnifier
    static constexpr ushort OfflineGlyph = 0xF05E; // barred circle

    void setModel(const QString &model);
    void setIPAddress(quint32 ip);
    void setPreset(const QString &preset);
    void setFault(bool fault);
    void setLogin(bool loggedIn);
    void setOnline(bool online);
    void setSelected(bool selected);

    // What a screen reader says for the row: "model, address, online|offline[, logged in][, fault]".
    QString accessibleText() const;
    QString model() const { return m_model; }
    bool isSelected() const { return m_selected; }
    bool isLoggedIn() const { return m_loggedIn; }
    bool isOnline() const { return m_online; }
    QLabel *modelLabel() const { return m_modelLabel; }
    QLabel *ipAddressLabel() const { return m_ipAddressLabel; }
    QLabel *presetLabel() const { return m_presetLabel; }
    QLabel *faultIcon() const { return m_faultIcon; }
    QLabel *loginIcon() const { return m_loginIcon; }
    QLabel *onlineIcon() const { return m_onlineIcon; }

signals:
    void accessibleTextChanged(const QString &text);

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();
    static void repolish(QWidget *widget);
    void updateModelText();
    void updateAccessibleName();

    QLabel *m_modelLabel = nullptr;
    QLabel *m_ipAddressLabel = nullptr;
    QLabel *m_presetLabel = nullptr;
    QLabel *m_faultIcon = nullptr;
    QLabel *m_loginIcon = nullptr;
    QLabel *m_onlineIcon = nullptr;
    QString m_model;
    bool m_selected = false;
    bool m_loggedIn = false;
    bool m_online = false;
};
