// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/time_sync.h"

#include "settings/time_server_address.h"

#include <QNetworkProxy>
#include <QTcpSocket>
#include <QTimer>

namespace {

// A text from the server for a message: one line, control characters shown as "?", cut short.
QString Quoted(const std::string& text) {
    QString line = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    for (QChar& c : line)
        if (c.category() == QChar::Other_Control) c = QLatin1Char('?');
    return line.size() <= 48 ? line : line.left(48) + QStringLiteral("...");
}

QString UtcText(const TDateRec& utc) {
    return QStringLiteral("%1-%2-%3 %4:%5:%6 UT")
        .arg(utc.Year, 4, 10, QLatin1Char('0'))
        .arg(utc.Month, 2, 10, QLatin1Char('0'))
        .arg(utc.Day, 2, 10, QLatin1Char('0'))
        .arg(utc.Hour, 2, 10, QLatin1Char('0'))
        .arg(utc.Minute, 2, 10, QLatin1Char('0'))
        .arg(utc.Second, 2, 10, QLatin1Char('0'));
}

TTimeSyncReply Failure(const QString& message, int status = 0) {
    TTimeSyncReply reply;
    reply.Message = message;
    reply.HttpStatus = status;
    return reply;
}

// The client's fixed request; "Connection: close" so that the end of the reply is the end
// of the connection.
QByteArray RequestFor(const TTimeServerAddress& address) {
    QByteArray host = QByteArray::fromStdString(address.Host);
    if (host.contains(':')) host = "[" + host + "]"; // IPv6
    if (address.Port != HttpPort) host += ":" + QByteArray::number(address.Port);
    return "GET " + QByteArray::fromStdString(address.Target) + " HTTP/1.1\r\nHost: " + host +
           "\r\nUser-Agent: Mozilla/3.0 (compatible)"
           "\r\nAccept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*"
           "\r\nConnection: close\r\n\r\n";
}

// The user's message for a reply that was read to its end.
TTimeSyncReply ReplyFor(const TTimeReply& parsed, const TPlausibleSpan& span) {
    switch (parsed.Status) {
    case TTimeReplyStatus::Ok:
        break;
    case TTimeReplyStatus::HttpError:
        return Failure(TimeSyncFailed + QString::number(parsed.HttpStatus) + " " +
                           Quoted(parsed.Reason),
                       parsed.HttpStatus);
    case TTimeReplyStatus::Incomplete:
    case TTimeReplyStatus::Malformed:
        return Failure(TimeSyncFailed + QStringLiteral("the server's answer is not HTTP"));
    case TTimeReplyStatus::TooLong:
        return Failure(TimeSyncFailed +
                           QStringLiteral("no time in the first %1 KB of the server's answer")
                               .arg(MaxTimeReplyBytes / 1024),
                       200);
    case TTimeReplyStatus::NoZone:
        return Failure(QStringLiteral("The time server's reply, \"") + Quoted(parsed.FirstLine) +
                           QStringLiteral("\", gives a date and time without a time zone, so it "
                                          "cannot set the clock; choose a server that gives "
                                          "universal time."),
                       200);
    case TTimeReplyStatus::NotATime:
        return Failure(QStringLiteral("The time server's reply is not a time: \"") +
                           Quoted(parsed.FirstLine) + "\"",
                       200);
    case TTimeReplyStatus::TooEarly:
        return Failure(QStringLiteral("The time server's time, %1, is before this program was "
                                      "built (%2); the clock is left as it is.")
                           .arg(UtcText(parsed.Utc), UtcText(JDToDate(span.EarliestJD)).left(10)),
                       200);
    case TTimeReplyStatus::TooLate:
        return Failure(QStringLiteral("The time server's time, %1, is more than %2 years ahead; "
                                      "the clock is left as it is.")
                           .arg(UtcText(parsed.Utc))
                           .arg(PlausibleYearsAhead),
                       200);
    }
    TTimeSyncReply reply;
    reply.Ok = true;
    reply.HttpStatus = 200;
    reply.FirstLine = QString::fromStdString(parsed.FirstLine);
    reply.Utc = parsed.Utc;
    return reply;
}

} // namespace

TPlausibleSpan PlausibleServerSpanNow() {
    return PlausibleServerSpan(
        JulianDayOfUnixSeconds(QDateTime::currentMSecsSinceEpoch() / 1000.0));
}

TTimeRequest::TTimeRequest(QObject* parent) : QObject(parent) {
    Deadline.setSingleShot(true);
    Deadline.setTimerType(Qt::PreciseTimer);
    connect(&Deadline, &QTimer::timeout, this, [this] {
        Conclude(Failure(
            TimeSyncFailed +
            QStringLiteral("no answer within %1 seconds").arg(TimeoutMs / 1000.0, 0, 'g', 3)));
    });
}

TTimeRequest::~TTimeRequest() {
    Release();
}

bool TTimeRequest::Start(const QString& text, int timeoutMs, const TPlausibleSpan& span) {
    if (Running) return false;
    Running = true;
    const TTimeServerCheck check = CheckTimeServerAddress(text.toStdString());
    if (!check.Address) {
        Conclude(Failure(QString::fromStdString(check.Problem)));
        return true;
    }
    const TTimeServerAddress& address = *check.Address;
    // daytime://host[:port] speaks the daytime protocol (RFC 867): the server sends its line
    // on connection, unasked.
    Daytime = address.Daytime;
    Request = Daytime ? QByteArray() : RequestFor(address);
    Received.clear();
    Span = span;
    TimeoutMs = timeoutMs;
    Deadline.start(timeoutMs);
    Connect(QString::fromStdString(address.Host), address.Port);
    return true;
}

void TTimeRequest::Connect(const QString& host, int port) {
    Socket = new QTcpSocket(this);
    Socket->setProxy(QNetworkProxy::NoProxy);
    connect(Socket, &QTcpSocket::connected, this, [this] {
        if (!Request.isEmpty()) Socket->write(Request);
    });
    connect(Socket, &QTcpSocket::readyRead, this, [this] { ReadSome(false); });
    connect(Socket, &QTcpSocket::disconnected, this, [this] { ReadSome(true); });
    connect(Socket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError error) {
        if (error == QAbstractSocket::RemoteHostClosedError) return; // the end of the reply
        Conclude(Failure(TimeSyncFailed + Socket->errorString()));
    });
    Socket->connectToHost(host, static_cast<quint16>(port));
}

void TTimeRequest::ReadSome(bool ended) {
    // Never more than one byte past the limit is taken, whatever the server sends.
    const qint64 room = static_cast<qint64>(MaxTimeReplyBytes) + 1 - Received.size();
    if (room > 0) Received += Socket->read(room);
    const std::string_view bytes(Received.constData(), Received.size());
    const TTimeReply parsed =
        Daytime ? ParseDaytimeReply(bytes, ended, Span) : ParseTimeReply(bytes, ended, Span);
    if (parsed.Status == TTimeReplyStatus::Incomplete) return;
    TTimeSyncReply reply = ReplyFor(parsed, Span);
    if (Daytime) reply.HttpStatus = 0; // no HTTP in this exchange
    Conclude(reply);
}

void TTimeRequest::Conclude(const TTimeSyncReply& reply) {
    Release();
    // Handed over from the event loop itself, never from inside the socket's own signals, so
    // that whoever receives it may open a message box or start again.
    QMetaObject::invokeMethod(
        this,
        [this, serial = Serial, reply] {
            if (serial != Serial) return; // cancelled meanwhile
            Running = false;
            emit Finished(reply);
        },
        Qt::QueuedConnection);
}

void TTimeRequest::Cancel() {
    Release();
    ++Serial;
    Running = false;
}

void TTimeRequest::Release() {
    Deadline.stop();
    if (Socket == nullptr) return;
    Socket->disconnect(this); // nothing more is read: the answer is decided
    Socket->abort();
    Socket->deleteLater(); // it may be in the middle of the signal that decided
    Socket = nullptr;
}
