#pragma once

// Asking a time server for the time: an HTTP GET whose reply's first line has the layout
// of the NIST daytime service,
//
//   60000 23-02-25 12:34:56 00 0 0  50.0 UTC(NIST) *
//   ^MJD            ^hh:mm:ss (universal time; 1-based columns 1-5, 16-17, 19-20, 22-23)
//
// The reply body is kept in the file "test.tmp" in the working directory. The request runs
// in a local event loop on the calling thread and gives up after the timeout.
//
//   const TTimeSyncReply reply = FetchServerTime(QUrl(url), TimeSyncReplyFile,
//                                                TimeSyncTimeoutMs, [&] { Timer1->stop(); });
//   if (!reply.Ok) ShowMessage(reply.Message); else clock.SetUniversalTime(reply.Utc);

#include <functional>
#include <optional>

#include <QString>
#include <QUrl>

#include "engine/date_time.h"

inline constexpr int TimeSyncTimeoutMs = 10000;
inline const QString TimeSyncReplyFile = QStringLiteral("test.tmp");
inline const QString TimeSyncFailed = QStringLiteral("Time Synchronisation Failed : ");

struct [[nodiscard]] TTimeSyncReply {
    bool Ok = false;
    QString Message; // for the user when not Ok
    int HttpStatus = 0;
    QString FirstLine; // the reply's first line
    TDateRec Utc;      // the server's time when Ok, with its JD
};

// The date and time of a daytime line: JD = MJD + 2400000.5 + h/24 + m/1440 + s/86400.
// Empty when a field is not a number or out of range.
[[nodiscard]] std::optional<TDateRec> ParseDaytimeLine(const QString& line);

// GET url (no proxy, the client's fixed headers), the body written anew to replyFile, then
// its first line parsed. stopTimer runs before the request goes out.
[[nodiscard]] TTimeSyncReply FetchServerTime(const QUrl& url,
                                             const QString& replyFile = TimeSyncReplyFile,
                                             int timeoutMs = TimeSyncTimeoutMs,
                                             const std::function<void()>& stopTimer = {});
