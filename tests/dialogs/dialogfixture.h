#pragma once
// A link logged in to an in-process simulated device over loopback, with every frame the
// application writes recorded, and helpers to drive the dialogs' modal boxes.
#include "datamodel.h"
#include "devicesimulator.h"
#include "frame.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace fixture {

struct Sent {
    proto::FrameHeader header;
    QByteArray payload;
};

class Link
{
public:
    explicit Link(const char *ip, int variant = 0)
    {
        sim::SimOptions o;
        o.bind = QHostAddress(QString::fromLatin1(ip));
        o.announce = false;
        o.paramsPort = 0;
        o.variant = variant;
        device = std::make_unique<sim::DeviceSimulator>(o);
        DataModel::Options options;
        options.openDatabase = false;
        options.bindDiscovery = false;
        options.startTimer = false;
        model = std::make_unique<DataModel>(options);
        model->setLocalAddressSource([] {
            QNetworkAddressEntry e;
            e.setIp(QHostAddress::LocalHost);
            e.setPrefixLength(8);
            return QList<QNetworkAddressEntry>{e};
        });
        QObject::connect(model.get(), &DataModel::frameSent, model.get(), [this](const QByteArray &frame) {
            sent.append({proto::parseHeader(frame.constData()), frame.mid(proto::FrameHeaderSize,
                                                                         frame.size() - proto::FrameOverhead)});
        });
    }

    bool connect(const char *ip)
    {
        if (!device->start())
            return false;
        model->addDevice(QHostAddress(QString::fromLatin1(ip)).toIPv4Address());
        model->selectDevice(0, false);
        return QTest::qWaitFor([this] { return model->isLoggedIn(); }, 5000);
    }

    // The writes (flag 1) of key since the last clear.
    QVector<QByteArray> writes(proto::MessageKey key) const
    {
        QVector<QByteArray> out;
        for (const Sent &s : sent)
            if (s.header.flag == proto::FlagWrite && s.header.type == key.type && s.header.subType == key.subType
                && s.header.funcId == key.funcId)
                out << s.payload;
        return out;
    }
    int writeCount() const
    {
        int n = 0;
        for (const Sent &s : sent)
            n += s.header.flag == proto::FlagWrite;
        return n;
    }

    std::unique_ptr<sim::DeviceSimulator> device;
    std::unique_ptr<DataModel> model;
    QVector<Sent> sent;
};

// Answers the next modal message box with the button of that text and keeps its text.
inline void answerNextBox(const QString &button, QString *seen)
{
    seen->clear();
    QTimer::singleShot(0, [button, seen] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        *seen = box->text();
        for (QAbstractButton *b : box->buttons()) {
            if (b->text() == button) {
                b->click();
                return;
            }
        }
        box->done(-1);
    });
}

// The child of root with this accessible name.
template<typename T>
T *named(QWidget *root, const QString &name)
{
    for (T *w : root->findChildren<T *>())
        if (w->accessibleName() == name)
            return w;
    return nullptr;
}

// The widget that has the focus once the dialog is open (null when it never became active);
// the dialog is hidden again.
inline QWidget *focusOnOpening(QWidget *dialog)
{
    dialog->show();
    QWidget *focus = QTest::qWaitForWindowActive(dialog) ? QApplication::focusWidget() : nullptr;
    dialog->hide();
    return focus;
}

// Types text into an edit and ends the edit as the user does (Return).
inline void typeInto(QLineEdit *edit, const QString &text)
{
    edit->setFocus();
    edit->selectAll();
    edit->del();
    edit->insert(text);
    QTest::keyClick(edit, Qt::Key_Return);
}

} // namespace fixture
