#include "ui/main/time_sync.h"

#include <QEventLoop>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTextStream>
#include <QTimer>

namespace {

// The 1-based columns first..first+count-1 as a number, when all are digits.
std::optional<int> Field(const QString& line, int first, int count) {
    if (line.size() < first - 1 + count) return std::nullopt;
    int value = 0;
    for (QChar c : line.mid(first - 1, count)) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

QString Shortened(const QString& text) {
    return text.size() <= 48 ? text : text.left(48) + QStringLiteral("...");
}

// The first line with any text in it (a daytime reply may begin with an empty line).
std::optional<QString> FirstLineOf(const QString& path, QString& error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        error = file.errorString();
        return std::nullopt;
    }
    QTextStream in(&file);
    QString line;
    while (in.readLineInto(&line))
        if (!line.trimmed().isEmpty()) return line;
    return QString();
}

TTimeSyncReply Failure(const QString& message, int status = 0) {
    TTimeSyncReply reply;
    reply.Message = message;
    reply.HttpStatus = status;
    return reply;
}

} // namespace

std::optional<TDateRec> ParseDaytimeLine(const QString& line) {
    const auto mjd = Field(line, 1, 5), hour = Field(line, 16, 2), minute = Field(line, 19, 2),
               second = Field(line, 22, 2);
    if (!mjd || !hour || !minute || !second || *hour > 23 || *minute > 59 || *second > 60)
        return std::nullopt;
    const double jd = *mjd + 2400000.5 + *hour / 24.0 + *minute / 1440.0 + *second / 86400.0;
    TDateRec date = JDToDate(jd);
    date.JD = jd;
    return date;
}

TTimeSyncReply FetchServerTime(const QUrl& url, const QString& replyFile, int timeoutMs,
                               const std::function<void()>& stopTimer) {
    if (stopTimer) stopTimer();
    QFile body(replyFile);
    if (!body.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return Failure(TimeSyncFailed + QStringLiteral("cannot write ") + replyFile + ": " +
                       body.errorString());

    QNetworkAccessManager client;
    client.setProxy(QNetworkProxy::NoProxy);
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QStringLiteral("Mozilla/3.0 (compatible)"));
    request.setRawHeader("Accept", "image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*");
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::PreferNetwork);

    QNetworkReply* reply = client.get(request);
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    timeout.setTimerType(Qt::PreciseTimer);
    bool timedOut = false;
    QObject::connect(&timeout, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        reply->abort();
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    timeout.start(timeoutMs);
    if (!reply->isFinished()) loop.exec(QEventLoop::ExcludeUserInputEvents);
    timeout.stop();

    if (reply->isOpen()) body.write(reply->readAll());
    body.close();
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    const QString reason = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
    const QNetworkReply::NetworkError error = reply->error();
    const QString errorText = reply->errorString();
    reply->deleteLater();

    if (timedOut)
        return Failure(
            TimeSyncFailed +
            QStringLiteral("no answer within %1 seconds").arg(timeoutMs / 1000.0, 0, 'g', 3));
    if (status.isValid() && status.toInt() != 200)
        return Failure(TimeSyncFailed + QString::number(status.toInt()) + " " + reason,
                       status.toInt());
    if (error != QNetworkReply::NoError || !status.isValid())
        return Failure(TimeSyncFailed + errorText);

    QString readError;
    const std::optional<QString> line = FirstLineOf(replyFile, readError);
    if (!line)
        return Failure(QStringLiteral("Cannot read the time server's reply from ") + replyFile +
                           ": " + readError,
                       200);
    const std::optional<TDateRec> utc = ParseDaytimeLine(*line);
    if (!utc)
        return Failure(QStringLiteral("The time server's reply is not a time: \"") +
                           Shortened(*line) + "\"",
                       200);
    TTimeSyncReply result;
    result.Ok = true;
    result.HttpStatus = 200;
    result.FirstLine = *line;
    result.Utc = *utc;
    return result;
}
