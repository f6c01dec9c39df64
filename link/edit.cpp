#include "datamodel.h"
#include "layout.h"
#include "modelbindings.h"
#include "wire.h"

#include <QMetaMethod>
#include <QString>
#include <cmath>
#include <cstring>

// The one edit path: every value a page or dialog changes comes through edit(), which
// clamps it by the catalogue, stores it into the model through the same binding table the
// receive dispatch uses, encodes the key's write layout and sends or queues it.

using namespace proto;

namespace {

QString &labelOf(ParameterModel &m, MessageKey key, int channel)
{
    if (key == Msg::InputLabels)
        return m.input(channel).label;
    if (key == Msg::OutputLabels)
        return m.output(channel).label;
    return m.input(channel).touchLabel;
}

// A text cut to at most max bytes at a whole character.
QByteArray textBytes(const QString &text, int max)
{
    QByteArray field = encodeTextField(text, max);
    const int nul = field.indexOf('\0');
    if (nul >= 0)
        field.truncate(nul);
    return field;
}

int textLimit(MessageKey key) { return key == Msg::TouchScreenLabels ? 10 : 16; }

bool numberOf(const QVariant &v, double *out)
{
    bool ok = false;
    *out = v.toDouble(&ok);
    return ok;
}

} // namespace

QVariant DataModel::storedValue(MessageKey key, int channel, int index) const
{
    const KeyInfo *k = findKey(key);
    if (!k)
        return QVariant();
    auto &m = const_cast<ParameterModel &>(m_model); // the bindings hand out references; nothing is written here
    const modelbind::Binding *b = modelbind::find(key);
    const bool channelOk = channel >= 0 && channel < ChannelCount;
    switch (writeForm(*k)) {
    case WriteForm::ChannelValue:
        if (!b || !b->elem || channel < 0 || channel >= k->count)
            return QVariant();
        return modelbind::load(b->elem(m, channel, 0));
    case WriteForm::Value:
        return b && b->elem ? QVariant(modelbind::load(b->elem(m, 0, 0))) : QVariant();
    case WriteForm::ChannelLimits:
        if (!b || !b->elem || !channelOk || index < 0 || index > 1)
            return QVariant();
        return modelbind::load(b->elem(m, channel, index));
    case WriteForm::MatrixCells:
        if (!b || !b->elem || !channelOk || index < 0 || index >= ChannelCount)
            return QVariant();
        return modelbind::load(b->elem(m, index, channel));
    case WriteForm::ChannelRecord:
    case WriteForm::BandRecord: {
        const bool band = k->shape == Shape::BandRecord;
        if (!b || !b->recordGet || !channelOk || (band && (index < 0 || index >= PeqBands)))
            return QVariant();
        return b->recordGet(m, channel, band ? index : 0);
    }
    case WriteForm::Whole:
        if (key == Msg::DataSyncConfig) {
            QByteArray out(5, '\0');
            out[0] = char(m.dataSync().mode);
            writeU32(out.data() + 1, m.dataSync().masterIp);
            return out;
        }
        if (b && b->bytes) {
            const modelbind::Bytes bytes = b->bytes(m);
            return QByteArray(reinterpret_cast<const char *>(bytes.data), bytes.size);
        }
        if (b && b->elem) {
            QByteArray out;
            for (int i = 0; i < k->count; ++i)
                appendU32(out, quint32(modelbind::load(b->elem(m, i, 0))));
            return out;
        }
        return QVariant();
    case WriteForm::Text16:
        return b && b->text ? QVariant(*b->text(m)) : QVariant();
    case WriteForm::ChannelText:
        return channelOk ? QVariant(labelOf(m, key, channel)) : QVariant();
    case WriteForm::IndexBlock:
        if (index < 0 && channel < 0)
            return QVariant();
        if (channel >= 0 && channel < GpioPorts) {
            const auto &port = m.gpio(channel);
            return QByteArray(reinterpret_cast<const char *>(port.data()), int(port.size()));
        }
        return QVariant();
    case WriteForm::None:
        // States only the device writes (a gate's open state) are shown all the same.
        if (k->shape == Shape::ChannelArray && b && b->elem && channel >= 0 && channel < k->count)
            return modelbind::load(b->elem(m, channel, 0));
        break;
    case WriteForm::Raw: break;
    }
    return QVariant();
}

// Fills w with the clamped value and stores it. False when the value does not fit.
bool DataModel::storeEdit(const ParameterEdit &e, const KeyInfo &k, Write *w)
{
    ParameterModel &m = m_model;
    const modelbind::Binding *b = modelbind::find(e.key);
    double number = 0;
    switch (writeForm(k)) {
    case WriteForm::None: return false;
    case WriteForm::ChannelValue:
        if (!b || !b->elem || e.channel >= k.count || !numberOf(e.value, &number)
            || !clampValue(ruleOf(k), number, &w->value))
            return false;
        modelbind::store(b->elem(m, e.channel, 0), k.elem, w->value);
        return true;
    case WriteForm::Value:
        if (!numberOf(e.value, &number) || !clampValue(ruleOf(k), number, &w->value))
            return false;
        if (b && b->elem)
            modelbind::store(b->elem(m, 0, 0), k.elem, w->value);
        return true;
    case WriteForm::ChannelLimits: {
        if (!b || !b->elem || e.channel >= ChannelCount || e.index > 1 || !numberOf(e.value, &number))
            return false;
        // Limits travel as whole dB.
        if (!clampValue(ruleOf(k), std::round(number), &w->value))
            return false;
        modelbind::store(b->elem(m, e.channel, e.index), k.elem, w->value);
        const Scalar max{0, float(modelbind::load(b->elem(m, e.channel, 0)))};
        const Scalar min{0, float(modelbind::load(b->elem(m, e.channel, 1)))};
        w->value = max;
        w->value2 = min;
        w->index = 255;
        return true;
    }
    case WriteForm::MatrixCells: {
        const QByteArray cells = e.cells.isEmpty() ? QByteArray(1, char(e.index)) : e.cells;
        if (!b || !b->elem || e.channel >= ChannelCount || !numberOf(e.value, &number)
            || !clampValue(ruleOf(k), number, &w->value))
            return false;
        for (char in : cells)
            if (quint8(in) >= ChannelCount)
                return false;
        for (char in : cells)
            modelbind::store(b->elem(m, quint8(in), e.channel), k.elem, w->value);
        w->bytes = cells;
        w->index = 255;
        return true;
    }
    case WriteForm::ChannelRecord:
    case WriteForm::BandRecord: {
        const bool band = k.shape == Shape::BandRecord;
        const RecordLayout *layout = recordLayout(e.key);
        const QByteArray image = e.value.toByteArray();
        if (!b || !b->recordGet || !layout || e.channel >= ChannelCount || (band && e.index >= PeqBands)
            || image.size() != layout->size)
            return false;
        const int slot = band ? e.index : 0;
        w->bytes = mergeRecordImage(*layout, b->recordGet(m, e.channel, slot), image.constData());
        b->recordSet(m, e.channel, slot, w->bytes);
        if (!band)
            w->index = 255;
        return true;
    }
    case WriteForm::Whole: {
        const QByteArray bytes = e.value.toByteArray();
        w->bytes = bytes;
        QByteArray check;
        if (!encodeWrite(*w, &check))
            return false;
        if (e.key == Msg::DataSyncConfig) {
            if (quint8(bytes[0]) > 2)
                return false;
            m.dataSync().mode = quint8(bytes[0]);
            m.dataSync().masterIp = readU32(bytes.constData() + 1);
        } else if (b && b->bytes) {
            const modelbind::Bytes dst = b->bytes(m);
            std::memcpy(dst.data, bytes.constData(), size_t(dst.size));
        } else if (b && b->elem) {
            for (int i = 0; i < k.count; ++i) {
                Scalar s;
                readField(ruleOf(k), bytes.constData() + i * elemSize(k.elem), &s);
                modelbind::store(b->elem(m, i, 0), k.elem, s);
            }
        }
        w->channel = w->index = 255;
        return true;
    }
    case WriteForm::Text16: {
        const QString text = e.value.toString().trimmed();
        w->bytes = textBytes(text, 16);
        if (b && b->text)
            *b->text(m) = decodeText(w->bytes);
        w->channel = w->index = 255;
        return true;
    }
    case WriteForm::ChannelText: {
        if (e.channel >= ChannelCount)
            return false;
        w->bytes = textBytes(e.value.toString().trimmed(), textLimit(e.key));
        labelOf(m, e.key, e.channel) = decodeText(w->bytes);
        w->index = 255;
        return true;
    }
    case WriteForm::IndexBlock: {
        const QByteArray bytes = e.value.toByteArray();
        if (e.channel >= GpioPorts || bytes.size() != int(std::tuple_size<ParameterModel::GpioPort>::value))
            return false;
        std::memcpy(m.gpio(e.channel).data(), bytes.constData(), size_t(bytes.size()));
        w->bytes = bytes;
        w->index = 255;
        return true;
    }
    case WriteForm::Raw:
        w->bytes = e.value.toByteArray();
        return true;
    }
    return false;
}

// Announced as the dispatcher announces a reply of the key, so every window showing the
// value refreshes from the model, whoever changed it.
void DataModel::announceStored(const ParameterEdit &e, const KeyInfo &k, const QVariant &label)
{
    quint8 channel = e.channel, other = 255;
    switch (writeForm(k)) {
    case WriteForm::BandRecord: other = e.index; break;
    case WriteForm::MatrixCells:
        for (char in : e.cells.isEmpty() ? QByteArray(1, char(e.index)) : e.cells)
            emit tcpSyncToUI(k.key.type, k.key.subType, k.key.funcId, quint8(in), e.channel, QVariant());
        return;
    case WriteForm::Value:
    case WriteForm::Whole:
    case WriteForm::Text16: channel = 255; break;
    case WriteForm::IndexBlock:
        channel = 1; // the port travels in other, as the GPIO reply announces it
        other = e.channel;
        break;
    default: break;
    }
    emit tcpSyncToUI(k.key.type, k.key.subType, k.key.funcId, channel, other, label);
}

bool DataModel::edit(const ParameterEdit &e, SendRule rule)
{
    const KeyInfo *k = findKey(e.key);
    if (!k || writeForm(*k) == WriteForm::None || writeForm(*k) == WriteForm::Raw)
        return false;
    const bool queued = rule == SendRule::Queue || (rule == SendRule::ByKey && (k->dirs & Q) && !(k->dirs & W));
    if (queued && !(k->dirs & Q))
        return false;

    // The values being replaced, for those who follow edits (one per matrix cell).
    static const QMetaMethod editedSignal = QMetaMethod::fromSignal(&DataModel::edited);
    const bool observed = rule != SendRule::Local && isSignalConnected(editedSignal);
    QVector<ParameterEdit> before;
    if (observed) {
        if (writeForm(*k) == WriteForm::MatrixCells) {
            const QByteArray cells = e.cells.isEmpty() ? QByteArray(1, char(e.index)) : e.cells;
            for (char in : cells) {
                ParameterEdit old = e;
                old.cells.clear();
                old.index = quint8(in);
                old.value = storedValue(e.key, e.channel, quint8(in));
                before << old;
            }
        } else {
            ParameterEdit old = e;
            old.value = storedValue(e.key, e.channel, e.index);
            before << old;
        }
    }

    Write w;
    w.key = e.key;
    w.channel = e.channel;
    // Only PEQ bands travel with a second index; everything else queues under 255.
    w.index = k->shape == Shape::BandRecord ? e.index : quint8(255);
    if (!storeEdit(e, *k, &w))
        return false;
    if (rule != SendRule::Local) {
        QByteArray payload;
        if (!encodeWrite(w, &payload))
            return false;
        if (queued)
            queueCommand(e.key, w.channel, w.index, payload);
        else
            sendCommand(e.key, payload);
    }

    announceStored(e, *k, writeForm(*k) == WriteForm::ChannelText ? storedValue(e.key, e.channel, e.index) : QVariant());
    for (const ParameterEdit &old : before) {
        ParameterEdit after = old;
        after.value = storedValue(e.key, old.channel, old.index);
        if (!old.value.isValid() || old.value != after.value)
            emit edited(old, after);
    }
    return true;
}
