#pragma once
// One preset image transfer between the device and a file, block by block: export or
// import of one slot or of all slots. Replies drive it; only one request is in flight. An
// export goes through a QSaveFile that is committed after the last block, so a cancelled or
// failed export leaves the user's file as it was. An import reads its file once, at the
// start, and sends from memory. The progress goes to a TransferProgress when one is given.
#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class DataModel;
class LinkWatch;
class TransferProgress;
class QSaveFile;
class QTimer;

class PresetTransfer final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(PresetTransfer)
public:
    enum Kind { ExportOne, ExportAll, ImportOne, ImportAll };
    enum class Outcome {
        Done,        // every block went through (an export is committed)
        Empty,       // the device had nothing to export; no file was written
        Cancelled,   // the user cancelled
        FormatError, // the import file was unreadable or does not carry the device's marker
        Failed       // a file error, a silent device or a lost link; message says which
    };
    Q_ENUM(Outcome)
    // Sends one request of this transfer: the preset message funcId, as a write or a read.
    using Sender = std::function<void(quint8 funcId, bool write, const QByteArray &payload)>;

    // progress may be null. A window's cancel button is connected to cancel() by its owner.
    PresetTransfer(TransferProgress *progress, Sender sender, QObject *parent = nullptr);
    ~PresetTransfer() override;

    // Sends the preset messages through dm, and only while watch says the device is still the
    // one the transfer began with: never to another device, nor into a new session.
    static Sender linkSender(DataModel *dm, const LinkWatch *watch);

    static quint8 funcId(Kind kind);
    static bool isExport(Kind kind) { return kind == ExportOne || kind == ExportAll; }

    // Starts a transfer (ending one still running). An import file is read here; when it
    // cannot be read or is too short, finished(FormatError) follows at once and nothing is sent;
    // one too large for the 16-bit block count says so in the message.
    void start(Kind kind, int slot, const QString &path);
    // The label of the progress window; empty restores the kind's own.
    void setLabel(const QString &label) { m_customLabel = label; }
    // A time-out for each reply; 0 (the default) waits for as long as the user does.
    void setReplyTimeout(int ms) { m_timeoutMs = ms; }
    QTimer *watchdog() const { return m_watchdog; }

    bool isActive() const { return m_state != State::Idle; }
    Kind kind() const { return m_kind; }
    QString path() const { return m_path; }

    // A reply of the preset message funcId, payload as the device sent it.
    void handleReply(quint8 funcId, const QByteArray &payload);
    // Ends a running transfer at once (the session dropped, another device became current):
    // nothing more is sent or written, and the progress window says why.
    void abort(const QString &reason);

public slots:
    // No reply within the time-out.
    void timeout();
    // The user cancelled: a transfer in its blocks ends at once, so a device that has gone
    // quiet does not keep a half-written temporary file open.
    void cancel();

signals:
    void finished(PresetTransfer::Outcome outcome, const QString &message);

private:
    enum class State { Idle, Opening, Blocks };
    void send(const QByteArray &payload);
    void exportReply(const QByteArray &payload);
    void importReply(const QByteArray &payload);
    void sendBlock(quint16 k);
    // Ends the transfer: drops an uncommitted export, stops the watchdog, reports.
    void end(Outcome outcome, const QString &message);
    void fail(const QString &what);
    QString label() const;
    QString fileFate() const;
    void progressStart(int count);
    bool progressStep(int value, const QString &label);
    void progressFinish();
    void progressMessage(const QString &text);

    TransferProgress *m_progress;
    Sender m_sender;
    QTimer *m_watchdog;
    int m_timeoutMs = 0;
    State m_state = State::Idle;
    Kind m_kind = ExportOne;
    int m_slot = 0;
    QString m_path;
    QString m_customLabel;
    bool m_fileExisted = false;
    std::unique_ptr<QSaveFile> m_out;
    QByteArray m_file;
    quint16 m_blocks = 0;
    quint16 m_next = 0; // the block requested or sent last
    int m_shown = 0;    // the progress value shown last
};
