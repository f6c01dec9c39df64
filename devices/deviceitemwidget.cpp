#include "deviceitemwidget.h"

#include "systemsettings.h"
#include "wire.h"

#include <QEvent>
#include <QStringList>
#include <QHBoxLayout>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

namespace {
QLabel *iconLabel(QChar glyph, int pointSize, QWidget *parent)
{
    auto *label = new QLabel(QString(glyph), parent);
    QFont font(SystemSettings::iconFontFamily());
    font.setPointSize(pointSize);
    label->setFont(font);
    label->setFixedSize(12, 12);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

QLabel *textLabel(QWidget *parent)
{
    auto *label = new QLabel(parent);
    // Model and preset come from the device; it must not be able to inject markup.
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignCenter);
    return label;
}
} // namespace

DeviceItemWidget::DeviceItemWidget(QWidget *parent)
    : Widget(parent)
{
    m_modelLabel = textLabel(this);
    m_modelLabel->setFixedWidth(110);
    m_ipAddressLabel = textLabel(this);
    m_presetLabel = textLabel(this);
    m_presetLabel->setFixedWidth(110);

    m_faultIcon = iconLabel(QChar(0xF129), 8, this);
    m_faultIcon->setProperty("status", QStringLiteral("2"));
    m_faultIcon->hide();
    m_loginIcon = iconLabel(QChar(0xF00D), 7, this);
    m_loginIcon->setProperty("status", QStringLiteral("0"));
    m_loginIcon->hide();
    m_onlineIcon = iconLabel(QChar(OfflineGlyph), 7, this);
    m_onlineIcon->setProperty("browsing", false);
    m_onlineIcon->setProperty("status", QStringLiteral("0"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 8, 4, 8);
    layout->setSpacing(4);
    layout->addWidget(m_modelLabel, 0, Qt::AlignHCenter);
    layout->addWidget(m_ipAddressLabel, 0, Qt::AlignHCenter);
    layout->addWidget(m_presetLabel, 0, Qt::AlignHCenter);
    auto *icons = new QHBoxLayout;
    icons->setContentsMargins(4, 0, 4, 0);
    icons->setSpacing(4);
    icons->addWidget(m_faultIcon);
    icons->addStretch();
    icons->addWidget(m_loginIcon);
    icons->addWidget(m_onlineIcon);
    layout->addLayout(icons);

    setSelected(false);
    retranslate();
    updateAccessibleName();
}

void DeviceItemWidget::retranslate()
{
    m_faultIcon->setToolTip(tr("Fault"));
    m_loginIcon->setToolTip(m_loggedIn ? tr("Logined") : tr("Unlogin"));
    m_onlineIcon->setToolTip(m_online ? tr("Online") : tr("Offline"));
}

void DeviceItemWidget::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslate();
        updateAccessibleName();
    } else if (event->type() == QEvent::StyleChange || event->type() == QEvent::FontChange) {
        updateModelText();
    }
    Widget::changeEvent(event);
}

void DeviceItemWidget::repolish(QWidget *widget)
{
    widget->style()->unpolish(widget);
    widget->style()->polish(widget);
    widget->update();
}

void DeviceItemWidget::setModel(const QString &model)
{
    m_model = model;
    updateModelText();
}

void DeviceItemWidget::updateModelText()
{
    // A full 16-character name does not fit the label: cut it with an ellipsis (the bold
    // selected font is wider, so this runs again after every repolish) and give the whole
    // name in the tool tip.
    m_modelLabel->ensurePolished();
    const QString shown =
        m_modelLabel->fontMetrics().elidedText(m_model, Qt::ElideRight, m_modelLabel->contentsRect().width());
    m_modelLabel->setText(shown);
    m_modelLabel->setToolTip(shown == m_model ? QString() : m_model);
}

QString DeviceItemWidget::accessibleText() const
{
    QStringList parts;
    if (!m_model.isEmpty())
        parts << m_model;
    parts << m_ipAddressLabel->text() << (m_online ? tr("online") : tr("offline"));
    if (m_loggedIn)
        parts << tr("logged in");
    if (!m_faultIcon->isHidden())
        parts << tr("fault");
    return parts.join(QStringLiteral(", "));
}

void DeviceItemWidget::updateAccessibleName()
{
    const QString text = accessibleText();
    if (text == accessibleName())
        return;
    setAccessibleName(text);
    emit accessibleTextChanged(text);
}

void DeviceItemWidget::setIPAddress(quint32 ip)
{
    m_ipAddressLabel->setText(proto::ipToString(ip));
    updateAccessibleName();
}

void DeviceItemWidget::setPreset(const QString &preset)
{
    m_presetLabel->setText(preset);
}

void DeviceItemWidget::setFault(bool fault)
{
    m_faultIcon->setVisible(fault);
    updateAccessibleName();
}

void DeviceItemWidget::setLogin(bool loggedIn)
{
    m_loggedIn = loggedIn;
    m_loginIcon->setText(QString(QChar(loggedIn ? 0xF00C : 0xF00D)));
    m_loginIcon->setProperty("status", loggedIn ? QStringLiteral("1") : QStringLiteral("0"));
    m_loginIcon->setToolTip(loggedIn ? tr("Logined") : tr("Unlogin"));
    repolish(m_loginIcon);
    updateAccessibleName();
}

void DeviceItemWidget::setOnline(bool online)
{
    m_online = online;
    // The glyph differs as well as the colour, for those who cannot tell the colours apart:
    // a magnifier while discovery sees the device, a barred circle when it does not.
    m_onlineIcon->setText(QString(QChar(online ? OnlineGlyph : OfflineGlyph)));
    m_onlineIcon->setProperty("browsing", online);
    m_onlineIcon->setProperty("status", online ? QStringLiteral("1") : QStringLiteral("0"));
    m_onlineIcon->setToolTip(online ? tr("Online") : tr("Offline"));
    repolish(m_onlineIcon);
    updateAccessibleName();
}

void DeviceItemWidget::setSelected(bool selected)
{
    m_selected = selected;
    for (QLabel *label : {m_modelLabel, m_ipAddressLabel, m_presetLabel}) {
        label->setProperty("selected", selected);
        repolish(label);
    }
    updateModelText();
    m_loginIcon->setVisible(selected);
}
