#include "ui/main/time_sync.h"

#include "settings/time_server_address.h"

#include <QEventLoop>
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
    // JD of the Unix epoch, 1970-01-01 0h UT.
    constexpr double UnixEpochJD = 2440587.5;
    return PlausibleServerSpan(UnixEpochJD +
                               QDateTime::currentMSecsSinceEpoch() / (86400.0 * 1000.0));
}

TTimeSyncReply FetchServerTime(const QString& text, int timeoutMs,
                               const std::function<void()>& stopTimer, const TPlausibleSpan& span) {
    const TTimeServerCheck check = CheckTimeServerAddress(text.toStdString());
    if (!check.Address) return Failure(QString::fromStdString(check.Problem));
    const TTimeServerAddress& address = *check.Address;
    if (stopTimer) stopTimer();
    // daytime://host[:port] speaks the daytime protocol (RFC 867): the server sends its line
    // on connection, unasked.
    const bool daytime = address.Daytime;

    QTcpSocket socket;
    socket.setProxy(QNetworkProxy::NoProxy);
    QEventLoop loop;
    QTimer deadline; // one limit for the whole exchange, however the server behaves
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);

    QByteArray received;
    TTimeReply parsed;
    QString socketError;
    bool done = false, timedOut = false;
    const auto finish = [&] {
        done = true;
        loop.quit();
    };
    const auto readSome = [&](bool ended) {
        // Never more than one byte past the limit is taken, whatever the server sends.
        const qint64 room = static_cast<qint64>(MaxTimeReplyBytes) + 1 - received.size();
        if (room > 0) received += socket.read(room);
        const std::string_view bytes(received.constData(), received.size());
        parsed =
            daytime ? ParseDaytimeReply(bytes, ended, span) : ParseTimeReply(bytes, ended, span);
        if (parsed.Status != TTimeReplyStatus::Incomplete) finish();
    };
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        finish();
    });
    QObject::connect(&socket, &QTcpSocket::connected, &loop, [&] {
        if (!daytime) socket.write(RequestFor(address));
    });
    QObject::connect(&socket, &QTcpSocket::readyRead, &loop, [&] { readSome(false); });
    QObject::connect(&socket, &QTcpSocket::disconnected, &loop, [&] { readSome(true); });
    QObject::connect(&socket, &QTcpSocket::errorOccurred, &loop,
                     [&](QAbstractSocket::SocketError error) {
                         if (error == QAbstractSocket::RemoteHostClosedError) return; // the end
                         socketError = socket.errorString();
                         finish();
                     });

    deadline.start(timeoutMs);
    socket.connectToHost(QString::fromStdString(address.Host), static_cast<quint16>(address.Port));
    if (!done) loop.exec(QEventLoop::ExcludeUserInputEvents);
    deadline.stop();
    socket.disconnect(); // nothing more is read: the answer is decided
    socket.abort();

    if (parsed.Status != TTimeReplyStatus::Incomplete) {
        TTimeSyncReply reply = ReplyFor(parsed, span);
        if (daytime) reply.HttpStatus = 0; // no HTTP in this exchange
        return reply;
    }
    if (timedOut)
        return Failure(
            TimeSyncFailed +
            QStringLiteral("no answer within %1 seconds").arg(timeoutMs / 1000.0, 0, 'g', 3));
    return Failure(TimeSyncFailed + socketError);
}
