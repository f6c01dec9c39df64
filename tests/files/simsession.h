#pragma once
// A DataModel logged in to an in-process simulated device over loopback. No link timer: the
// tests drive every step, and nothing reconnects behind their back.
#include "datamodel.h"
#include "devicesimulator.h"
#include "filemessages.h"

#include <QMessageBox>
#include <QtTest>

#include <memory>

struct SimSession {
    std::unique_ptr<sim::DeviceSimulator> device;
    std::unique_ptr<DataModel> dm;
    // Frames the device received, in order: (funcId of sub-type 32 or type 1, payload).
    QVector<QPair<proto::MessageKey, QByteArray>> received;
    // Keys of the frames the application wrote, as it wrote them.
    QVector<proto::MessageKey> sent;

    static std::unique_ptr<sim::DeviceSimulator> startDevice(const char *ip)
    {
        sim::SimOptions o;
        o.bind = QHostAddress(QString::fromLatin1(ip));
        o.announce = false;
        o.paramsPort = 0;
        o.loadStepMs = 100; // slow enough to see the load window open
        auto d = std::make_unique<sim::DeviceSimulator>(o);
        return d->start() ? std::move(d) : nullptr;
    }

    bool open(const char *ip)
    {
        device = startDevice(ip);
        if (!device)
            return false;
        QObject::connect(device.get(), &sim::DeviceSimulator::frameReceived, device.get(),
                         [this](quint8 t, quint8 s, quint8 f, quint8, const QByteArray &payload) {
                             if (t == 1 || (t == 3 && s == 32 && f != 1))
                                 received.append({proto::MessageKey{t, s, f}, payload});
                         });
        DataModel::Options options;
        options.openDatabase = false;
        options.bindDiscovery = false;
        options.startTimer = false;
        dm = std::make_unique<DataModel>(options);
        QObject::connect(dm.get(), &DataModel::frameSent, dm.get(), [this](const QByteArray &frame) {
            if (frame.size() >= 7)
                sent.append(proto::MessageKey{quint8(frame[4]), quint8(frame[5]), quint8(frame[6])});
        });
        dm->addDevice(QHostAddress(QString::fromLatin1(ip)).toIPv4Address());
        dm->selectDevice(0, false);
        return QTest::qWaitFor([this] { return dm->isLoggedIn(); }, 5000);
    }

    int sentCount(proto::MessageKey key) const { return int(std::count(sent.begin(), sent.end(), key)); }

    int count(proto::MessageKey key) const
    {
        int n = 0;
        for (const auto &r : received)
            n += r.first == key;
        return n;
    }
};

// Answers every message box: records its text and accepts it when accept says so.
struct BoxAnswers {
    QStringList texts;
    std::function<bool(QMessageBox *)> answer = [](QMessageBox *) { return true; };
    BoxAnswers()
    {
        FileMessages::setHook([this](QMessageBox *box) {
            texts << box->text();
            return answer(box);
        });
    }
    ~BoxAnswers() { FileMessages::setHook(nullptr); }
};
