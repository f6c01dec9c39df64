#include "journaltext.h"

#include "datamodel.h"
#include "valuenames.h"

#include <QStringList>

#include <QDateTime>

using namespace proto;

namespace {

enum class Unit { None, Db, Hz, Ms };

// The unit of a key's value or of a record's field.
Unit unitOf(MessageKey key, int field)
{
    using namespace Msg;
    switch (key.code()) {
    case InputGain.code(): case PreLevelGain.code(): case OutLevelGain.code(): case PreLevelLimits.code():
    case OutLevelLimits.code(): case MatrixGain.code(): case SigGenGain.code(): case AutoMixerWeight.code():
        return Unit::Db;
    case InDelay.code(): case OutDelay.code(): return Unit::Ms;
    case SigGenFreq.code(): return Unit::Hz;
    default: break;
    }
    const char *name = fieldName(key, field);
    if (!name)
        return Unit::None;
    const QLatin1String n(name);
    if (n == QLatin1String("gain") || n == QLatin1String("threshold") || n == QLatin1String("target"))
        return Unit::Db;
    if (n == QLatin1String("frequency"))
        return Unit::Hz;
    if (n == QLatin1String("attack") || n == QLatin1String("decay"))
        return Unit::Ms;
    return Unit::None;
}

// The caption of a record's field as the pages show it.
QString fieldCaption(MessageKey key, int field)
{
    const char *name = fieldName(key, field);
    const QLatin1String n(name ? name : "");
    if (n == QLatin1String("enable")) return JournalText::tr("Enabled");
    if (n == QLatin1String("type")) return JournalText::tr("Type");
    if (n == QLatin1String("slope")) return JournalText::tr("Slope");
    if (n == QLatin1String("frequency")) return JournalText::tr("Freq");
    if (n == QLatin1String("gain")) return JournalText::tr("Gain");
    if (n == QLatin1String("q")) return JournalText::tr("Q");
    if (n == QLatin1String("threshold")) return JournalText::tr("Threshold");
    if (n == QLatin1String("ratio")) return JournalText::tr("Ratio");
    if (n == QLatin1String("attack")) return JournalText::tr("Attack");
    if (n == QLatin1String("decay")) return JournalText::tr("Decay");
    if (n == QLatin1String("target")) return JournalText::tr("Target");
    if (n == QLatin1String("maximum")) return JournalText::tr("Maximum");
    if (n == QLatin1String("minimum")) return JournalText::tr("Minimum");
    return QString::fromLatin1(name);
}

// The caption of a key's control.
QString caption(const JournalEntry &e)
{
    using namespace Msg;
    switch (e.key.code()) {
    case InputMute.code(): case PreLevelMute.code(): case OutLevelMute.code(): case SigGenMute.code():
    case SystemMute.code():
        return JournalText::tr("Mute");
    case InputMode.code(): return JournalText::tr("Mode");
    case InputPhantom.code(): return JournalText::tr("+48V");
    case InputGain.code(): case PreLevelGain.code(): case OutLevelGain.code(): case MatrixGain.code():
    case SigGenGain.code():
        return JournalText::tr("Gain");
    case FeedbackEnable.code(): return JournalText::tr("Feedback");
    case InDelay.code(): case OutDelay.code(): return JournalText::tr("Delay");
    case PreLevelInvert.code(): case OutLevelInvert.code(): return JournalText::tr("Invert");
    case PreLevelGroup.code(): case OutLevelGroup.code(): case AutoMixerAssign.code(): return JournalText::tr("Group");
    case PreLevelLimits.code(): case OutLevelLimits.code(): return fieldCaption(e.key, e.index);
    case MatrixEnable.code(): case AecEnable.code(): case AutoMixerEnable.code(): return JournalText::tr("Enabled");
    case SigGenOutput.code(): return JournalText::tr("Output");
    case SigGenFreq.code(): return JournalText::tr("Freq");
    case SigGenWaveform.code(): return JournalText::tr("Waveform");
    case OutLevelUsbSelect.code(): return JournalText::tr("Record Source");
    case AecConfig.code(): case GpioConfig.code(): return JournalText::tr("Settings");
    case AutoMixerWeight.code(): return JournalText::tr("Weight");
    case DeviceLocation.code(): return JournalText::tr("Location");
    case DeviceDescription.code(): return JournalText::tr("Description");
    case Rs232BaudRate.code(): return JournalText::tr("RS-232 Baud Rate");
    case GateReport.code(): return JournalText::tr("Gate Report");
    case InputLabels.code(): case OutputLabels.code(): return JournalText::tr("Label");
    case TouchScreenLabels.code(): return JournalText::tr("Touch Screen Label");
    case InFilterHPF.code(): case OutFilterHPF.code():
        return JournalText::tr("High Pass %1").arg(fieldCaption(e.key, e.field));
    case InFilterLPF.code(): case OutFilterLPF.code():
        return JournalText::tr("Low Pass %1").arg(fieldCaption(e.key, e.field));
    case InFilterPEQ.code(): case OutFilterPEQ.code():
        return JournalText::tr("Band %1 %2").arg(e.index + 1).arg(fieldCaption(e.key, e.field));
    default: break;
    }
    if (e.field >= 0)
        return fieldCaption(e.key, e.field);
    const KeyInfo *k = findKey(e.key);
    return k ? QString::fromLatin1(k->name) : QString();
}

enum class Side { None, Input, Output, Matrix, Group, Port };

Side sideOf(MessageKey key)
{
    using namespace Msg;
    if (key == InputLabels || key == TouchScreenLabels)
        return Side::Input;
    if (key == OutputLabels || key == SigGenOutput)
        return Side::Output;
    if (key == GpioConfig)
        return Side::Port;
    if (key == AutoMixerEnable)
        return Side::Group;
    if (key.type != 3)
        return Side::None;
    switch (key.subType) {
    case 1: case 2: case 3: case 4: case 5: case 6: case 7: case 16: case 18: return Side::Input;
    case 11: case 12: case 13: case 14: return Side::Output;
    case 8: return Side::Matrix;
    default: return Side::None;
    }
}

QString number(double v, int decimals)
{
    return QString::number(v, 'f', decimals);
}

} // namespace

JournalText::JournalText(const DataModel *dm, PlaceOf placeOf)
    : m_dm(dm), m_placeOf(std::move(placeOf))
{
}

QString JournalText::source(ChangeSource source)
{
    switch (source) {
    case ChangeSource::User: return tr("user");
    case ChangeSource::Undo: return tr("undo");
    case ChangeSource::Redo: return tr("redo");
    case ChangeSource::PresetLoad: return tr("preset load");
    case ChangeSource::Device: return tr("device");
    }
    return QString();
}

QString JournalText::time(const JournalEntry &e)
{
    return QDateTime::fromMSecsSinceEpoch(e.time).toString(QStringLiteral("HH:mm:ss"));
}

QString JournalText::dateTime(const JournalEntry &e)
{
    return QDateTime::fromMSecsSinceEpoch(e.time).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString JournalText::device(const JournalEntry &e)
{
    const QString name = QStringList{e.model, e.serial}.join(QLatin1Char(' ')).trimmed();
    return name.isEmpty() ? e.address : name;
}

QString JournalText::place(MessageKey key) const
{
    const QString title = m_placeOf ? m_placeOf(key) : QString();
    if (!title.isEmpty())
        return title;
    const KeyInfo *k = findKey(key);
    return k ? QString::fromLatin1(k->name) : QString();
}

QString JournalText::scope(const JournalEntry &e) const
{
    const auto channelName = [this](bool output, int c) {
        if (m_dm && c < ChannelCount)
            return output ? m_dm->model().output(c).displayName : m_dm->model().input(c).displayName;
        return (output ? QStringLiteral("OUT %1") : QStringLiteral("IN %1")).arg(c + 1);
    };
    if (e.channel == 255)
        return QString();
    switch (sideOf(e.key)) {
    case Side::None: return QString();
    case Side::Input: return channelName(false, e.channel);
    case Side::Output: return channelName(true, e.channel);
    case Side::Matrix: return channelName(true, e.channel) + QLatin1Char(' ') + channelName(false, e.index);
    case Side::Group: return tr("Group %1").arg(e.channel + 1);
    case Side::Port: return tr("Port %1").arg(e.channel + 1);
    }
    return QString();
}

QString JournalText::control(const JournalEntry &e) const
{
    const QString s = scope(e);
    return s.isEmpty() ? caption(e) : s + QLatin1Char(' ') + caption(e);
}

QString JournalText::unit(const JournalEntry &e)
{
    switch (unitOf(e.key, e.field)) {
    case Unit::Db: return QStringLiteral("dB");
    case Unit::Hz: return QStringLiteral("Hz");
    case Unit::Ms: return QStringLiteral("ms");
    case Unit::None: break;
    }
    return QString();
}

QString JournalText::value(const JournalEntry &e, const QVariant &v)
{
    if (!v.isValid())
        return QStringLiteral("?");
    if (v.type() == QVariant::String)
        return QLatin1Char('"') + v.toString() + QLatin1Char('"');
    if (v.type() == QVariant::ByteArray) {
        const QByteArray bytes = v.toByteArray();
        const QString hex = QString::fromLatin1(bytes.left(8).toHex(' '));
        return bytes.size() > 8 ? hex + QStringLiteral(" ...") : hex;
    }
    const KeyInfo *k = findKey(e.key);
    const FieldRule r = k ? valueRule(*k, e.field) : FieldRule{0, Elem::F32, false, 0, 0};
    const double d = v.toDouble();
    if (r.elem == Elem::Bool)
        return d != 0.0 ? tr("on") : tr("off");
    if (r.elem != Elem::F32)
        return number(d, 0);
    switch (unitOf(e.key, e.field)) {
    case Unit::Hz: return number(d, d == double(qint64(d)) ? 0 : 1);
    default: return number(d, 1);
    }
}

QString JournalText::change(const JournalEntry &e)
{
    const QString u = unit(e);
    const QString text = value(e, e.before) + QStringLiteral(" -> ") + value(e, e.after);
    return u.isEmpty() ? text : text + QLatin1Char(' ') + u;
}

QString JournalText::sentence(const JournalEntry &e) const
{
    return QStringList{time(e), device(e), place(e.key) + QLatin1Char(' ') + control(e), change(e), source(e.source)}
        .join(QStringLiteral(", "));
}
