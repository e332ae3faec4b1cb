#pragma once

// Asking a time server for the time: an HTTP GET whose reply's first line is the time (see
// time_sync_reply.h), or, for a daytime://host[:port] address, the daytime protocol itself
// (RFC 867: connect and read the line the server sends). The address is checked first
// (settings/time_server_address.h); one that is not valid is refused, quoted. The
// reply is kept in memory; nothing is written to disk. The request runs in a local event loop on
// the calling thread, and the whole exchange (name lookup, connection, request and reply) gives up
// after the timeout, however slowly or however much the server sends.
//
//   const TTimeSyncReply reply = FetchServerTime(address, TimeSyncTimeoutMs,
//                                                [&] { Timer1->stop(); });
//   if (!reply.Ok) ShowMessage(reply.Message); else clock.SetUniversalTime(reply.Utc);

#include <functional>

#include <QDateTime>
#include <QString>

#include "engine/date_time.h"
#include "ui/main/time_sync_reply.h"

inline constexpr int TimeSyncTimeoutMs = 10000;
inline const QString TimeSyncFailed = QStringLiteral("Time Synchronisation Failed : ");

struct [[nodiscard]] TTimeSyncReply {
    bool Ok = false;
    QString Message; // for the user when not Ok
    int HttpStatus = 0;
    QString FirstLine; // the reply body's first line with text in it
    TDateRec Utc;      // the server's time when Ok, with its JD
};

// The times a server may give, judged by the computer's clock now.
[[nodiscard]] TPlausibleSpan PlausibleServerSpanNow();

// GET the http:// address (no proxy, the client's fixed headers), or for daytime:// just connect
// (port 13 by default), reading at most MaxTimeReplyBytes of the reply. stopTimer runs before
// the request goes out.
[[nodiscard]] TTimeSyncReply FetchServerTime(const QString& address,
                                             int timeoutMs = TimeSyncTimeoutMs,
                                             const std::function<void()>& stopTimer = {},
                                             const TPlausibleSpan& span = PlausibleServerSpanNow());
