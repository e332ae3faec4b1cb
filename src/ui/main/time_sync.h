// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Asking a time server for the time: an HTTP GET whose reply's first line is the time (see
// time_sync_reply.h), or, for a daytime://host[:port] address, the daytime protocol itself
// (RFC 867: connect and read the line the server sends). The address is checked first
// (settings/time_server_address.h); one that is not valid is refused, quoted. The
// reply is kept in memory; nothing is written to disk. The request runs in the background of
// the window thread's own event loop, so the windows keep answering and painting meanwhile;
// the whole exchange (name lookup, connection, request and reply) gives up after the timeout,
// however slowly or however much the server sends. The answer comes as Finished, once a request.
//
//   connect(&Request, &TTimeRequest::Finished, this, [](const TTimeSyncReply& reply) {
//       if (!reply.Ok) ShowMessage(reply.Message); else clock.SetUniversalTime(reply.Utc);
//   });
//   Request.Start(address); // false while the previous one is under way

#include <QByteArray>
#include <QDateTime>
#include <QObject>
#include <QString>
#include <QTimer>

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

class QTcpSocket;

// One request at a time: GET the http:// address (no proxy, the client's fixed headers), or for
// daytime:// just connect (port 13 by default), reading at most MaxTimeReplyBytes of the reply.
class TTimeRequest : public QObject {
    Q_OBJECT
  public:
    explicit TTimeRequest(QObject* parent = nullptr);
    ~TTimeRequest() override;

    // Sends the request, or refuses (false, and nothing changes) while one is under way.
    // An address that is not valid is answered through Finished as well.
    [[nodiscard]] bool Start(const QString& address, int timeoutMs = TimeSyncTimeoutMs,
                             const TPlausibleSpan& span = PlausibleServerSpanNow());
    // Abandons the request under way, if any: no Finished comes for it.
    void Cancel();

  signals:
    void Finished(const TTimeSyncReply& reply);

  private:
    void Connect(const QString& host, int port);
    void ReadSome(bool ended);
    void Conclude(const TTimeSyncReply& reply);
    void Release();

    QTcpSocket* Socket = nullptr; // one a request, released when it is decided
    QTimer Deadline;              // one limit for the whole exchange
    bool Running = false;
    quint64 Serial = 0; // counts cancellations, so that no abandoned answer is handed over
    bool Daytime = false;
    QByteArray Request; // what to send once connected; nothing for daytime
    QByteArray Received;
    TPlausibleSpan Span;
    int TimeoutMs = 0;
};
