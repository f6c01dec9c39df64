#pragma once
// Lets the user pick the device variant, the interface language and whether this dialog
// opens at every start. Also derives the variant from the device's own channel report.
// Shown before the main window at start-up, so it lives with the shell.
#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QPushButton;
class QTableWidget;

class DeviceVersionSelectionDialog final : public QDialog
{
    Q_OBJECT
public:
    static constexpr int VariantCount = 5;

    explicit DeviceVersionSelectionDialog(QWidget *parent = nullptr);

    // The variant of a device reporting these counts becomes the one in force. When this
    // dialog is the active modal window its table follows. True when the variant changed.
    static bool variantFromReport(int inputs, int outputs, bool dante);

    void setLanguageButtonsVisible(bool visible);
    void setCancelButtonVisible(bool visible);
    // The variant can only be chosen while no device is logged in.
    void setVariantTableEnabled(bool enabled);
    void selectVariant(int variant);

    QTableWidget *table() const { return m_table; }
    QButtonGroup *languageGroup() const { return m_languageGroup; }
    QCheckBox *showAtStartupCheckBox() const { return m_showAtStartup; }
    QPushButton *okButton() const { return m_okButton; }
    QPushButton *cancelButton() const { return m_cancelButton; }

public slots:
    void languageButtonClicked(int id);
    void doChange();

protected:
    void changeEvent(QEvent *event) override;

private:
    void retranslate();

    QPushButton *m_chineseButton = nullptr;
    QPushButton *m_englishButton = nullptr;
    QButtonGroup *m_languageGroup = nullptr;
    QTableWidget *m_table = nullptr;
    QCheckBox *m_showAtStartup = nullptr;
    QPushButton *m_okButton = nullptr;
    QPushButton *m_cancelButton = nullptr;
};
