#include "deviceversionselectiondialog.h"

#include "buttongroups.h"
#include "devicevariant.h"
#include "systemsettings.h"
#include "tablewidget.h"

#include <QApplication>
#include <QAbstractButton>
#include <QButtonGroup>
#include <QSignalBlocker>
#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// Name, analogue inputs, analogue outputs, Dante inputs, Dante outputs, USB record/play.
const char *const Cells[DeviceVersionSelectionDialog::VariantCount][6] = {
    {"16x16", "16CH", "16CH", "-", "-", "\u221A"},
    {"16x8", "16CH", "8CH", "-", "-", "\u221A"},
    {"8x8", "8CH", "8CH", "-", "-", "\u221A"},
    {"12x12+Dante4x4", "12CH", "12CH", "4CH", "4CH", "\u221A"},
    {"8x8+Dante4x4", "8CH", "8CH", "4CH", "4CH", "\u221A"},
};
} // namespace

DeviceVersionSelectionDialog::DeviceVersionSelectionDialog(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint)
{
    resize(668, 240);
    m_chineseButton = new QPushButton(this);
    m_englishButton = new QPushButton(this);
    m_chineseButton->setCheckable(true);
    m_englishButton->setCheckable(true);
    m_chineseButton->setFixedHeight(25);
    m_englishButton->setFixedHeight(25);
    m_chineseButton->setProperty("horizontalButtonPosition", QStringLiteral("first"));
    m_englishButton->setProperty("horizontalButtonPosition", QStringLiteral("last"));
    m_languageGroup = new QButtonGroup(this);
    m_languageGroup->setExclusive(true);
    m_languageGroup->addButton(m_chineseButton, 0);
    m_languageGroup->addButton(m_englishButton, 1);
    auto *languages = new QHBoxLayout;
    languages->setContentsMargins(0, 0, 0, 0);
    languages->setSpacing(0);
    languages->addStretch();
    languages->addWidget(m_chineseButton);
    languages->addWidget(m_englishButton);

    m_table = new TableWidget(VariantCount, 6, this);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->hide();
    // All five variants in view at the dialog's initial size, whatever the style sheet's row height.
    m_table->verticalHeader()->setMinimumSectionSize(1);
    m_table->verticalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_table->horizontalHeader()->setHighlightSections(false);
    m_table->horizontalHeader()->setSectionsClickable(false);
    for (int row = 0; row < VariantCount; ++row) {
        for (int column = 0; column < 6; ++column) {
            auto *item = new QTableWidgetItem(QString::fromUtf8(Cells[row][column]));
            item->setTextAlignment(Qt::AlignCenter);
            item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
            m_table->setItem(row, column, item);
        }
    }

    m_showAtStartup = new QCheckBox(this);
    m_okButton = new QPushButton(this);
    m_cancelButton = new QPushButton(this);
    m_okButton->setFixedSize(80, 25);
    m_cancelButton->setFixedSize(80, 25);
    auto *buttons = new QHBoxLayout;
    buttons->setContentsMargins(0, 0, 0, 0);
    buttons->setSpacing(8);
    buttons->addWidget(m_showAtStartup);
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->setSpacing(8);
    layout->addLayout(languages);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);

    const SystemSettings *settings = SystemSettings::instance();
    selectVariant(settings ? settings->deviceVersion() : 0);
    m_showAtStartup->setChecked(settings ? settings->showAtStartup() : true);

    // The id overload of buttonClicked is deprecated in later Qt 5 and idClicked is not in 5.12.
    onIdChecked(m_languageGroup, this, [this](int language) { languageButtonClicked(language); });
    connect(m_table, &QTableWidget::cellDoubleClicked, this, &DeviceVersionSelectionDialog::doChange);
    connect(m_okButton, &QPushButton::clicked, this, &DeviceVersionSelectionDialog::doChange);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    retranslate();
}

void DeviceVersionSelectionDialog::retranslate()
{
    setWindowTitle(tr("Device Version Selection"));
    m_chineseButton->setText(tr("Chinese"));
    m_englishButton->setText(tr("English"));
    m_table->setHorizontalHeaderLabels({tr("Name"), tr("Analog Input"), tr("Analog Output"), tr("Dante Input"),
                                        tr("Dante Output"), tr("USB Rec/Play")});
    m_showAtStartup->setText(tr("Show at startup"));
    m_okButton->setText(tr("OK"));
    m_cancelButton->setText(tr("Cancel"));
    if (const SystemSettings *settings = SystemSettings::instance()) {
        const QSignalBlocker blocker(m_languageGroup); // shows the language, picks none
        (settings->language() == 1 ? m_englishButton : m_chineseButton)->setChecked(true);
    }

    const QString prefix = tr("Device Version Selection") + QStringLiteral(": ");
    m_chineseButton->setAccessibleName(prefix + m_chineseButton->text());
    m_englishButton->setAccessibleName(prefix + m_englishButton->text());
    m_table->setAccessibleName(prefix + tr("Device Version"));
    m_showAtStartup->setAccessibleName(prefix + m_showAtStartup->text());
    m_okButton->setAccessibleName(prefix + m_okButton->text());
    m_cancelButton->setAccessibleName(prefix + m_cancelButton->text());
}

void DeviceVersionSelectionDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslate();
    QDialog::changeEvent(event);
}

void DeviceVersionSelectionDialog::setLanguageButtonsVisible(bool visible)
{
    m_chineseButton->setVisible(visible);
    m_englishButton->setVisible(visible);
}

void DeviceVersionSelectionDialog::setCancelButtonVisible(bool visible)
{
    m_cancelButton->setVisible(visible);
}

void DeviceVersionSelectionDialog::setVariantTableEnabled(bool enabled)
{
    m_table->setEnabled(enabled);
}

void DeviceVersionSelectionDialog::selectVariant(int variant)
{
    if (variant < 0 || variant >= VariantCount)
        return;
    m_table->selectRow(variant);
    m_table->setCurrentCell(variant, 0);
}

void DeviceVersionSelectionDialog::languageButtonClicked(int id)
{
    // Installing the translation retranslates every window, this one included.
    if (SystemSettings *settings = SystemSettings::instance())
        settings->setLanguage(id);
}

void DeviceVersionSelectionDialog::doChange()
{
    if (SystemSettings *settings = SystemSettings::instance()) {
        const int row = m_table->currentRow();
        if (row >= 0 && row < VariantCount)
            settings->setDeviceVersion(row);
        settings->setShowAtStartup(m_showAtStartup->isChecked());
    }
    accept();
}

bool DeviceVersionSelectionDialog::variantFromReport(int inputs, int outputs, bool dante)
{
    const int variant = DeviceVariant::fromReport(inputs, outputs, dante);
    if (auto *dialog = qobject_cast<DeviceVersionSelectionDialog *>(QApplication::activeModalWidget()))
        dialog->selectVariant(variant);
    SystemSettings *settings = SystemSettings::instance();
    if (!settings || settings->deviceVersion() == variant)
        return false;
    settings->setDeviceVersion(variant);
    return true;
}
