// SPDX-License-Identifier: GPL-3.0-or-later
// Setting the clock from a time server, against a small HTTP server on 127.0.0.1 and a
// fake system clock: a good reply, an HTTP error, a malformed line, no server, no answer,
// and hostile servers (endless or trickled replies, implausible times, a planted file).

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "time_request_wait.h"
#include "ui/common/messages.h"
#include "ui/common/program_state.h"
#include "ui/main/clock_editor.h"
#include "ui/main/system_clock.h"
#include "ui/main/time_sync.h"
#include "window_input.h"

namespace {

const QByteArray GoodLine = "60000 23-02-25 12:34:56 00 0 0  50.0 UTC(NIST) *";

// Times around 2023 count as plausible for the canned replies.
constexpr TPlausibleSpan Span2023{2459000.5, 2461000.5};

// The civil date of a Modified Julian Day (MJD 0 is 17 November 1858), by Qt's calendar.
QDate DateOfMjd(int mjd) {
    return QDate::fromJulianDay(mjd + 2400001);
}

// A daytime line for a Modified Julian Day at 12:34:56 UT.
QByteArray LineForMjd(int mjd) {
    return QByteArray::number(mjd) + " " + DateOfMjd(mjd).toString("yy-MM-dd").toLatin1() +
           " 12:34:56 00 0 0  50.0 UTC(NIST) *";
}

// Answers every request with one canned HTTP response; remembers the last request.
// Hostile modes: Flood sends Response, then Filler over and over up to FloodBytes, and keeps
// the connection open; Trickle sends one byte of Response every 20 ms, without end.
class TFakeTimeServer : public QObject {
  public:
    enum TMode { Answer_, Flood, Trickle };
    QByteArray Response; // empty: accept and never answer
    QByteArray LastRequest;
    QByteArray Filler;
    TMode Mode = Answer_;
    qint64 FloodBytes = 0;
    qint64 Sent = 0;

    TFakeTimeServer() {
        Server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&Server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = Server.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
                    LastRequest += socket->readAll();
                    if (!LastRequest.contains("\r\n\r\n") || Response.isEmpty()) return;
                    Reply(socket);
                });
            }
        });
    }
    [[nodiscard]] QString Url() const {
        return QString("http://127.0.0.1:%1/").arg(Server.serverPort());
    }
    void Answer(int status, const QByteArray& reason, const QByteArray& body) {
        Response =
            "HTTP/1.1 " + QByteArray::number(status) + " " + reason +
            "\r\nContent-Type: text/plain\r\nContent-Length: " + QByteArray::number(body.size()) +
            "\r\nConnection: close\r\n\r\n" + body;
    }

  private:
    void Reply(QTcpSocket* socket) {
        if (Mode == Answer_) {
            socket->write(Response);
            socket->disconnectFromHost();
        } else if (Mode == Flood) {
            Sent = socket->write(Response);
            const auto more = [this, socket] {
                while (Sent < FloodBytes && socket->bytesToWrite() < 65536)
                    Sent += socket->write(Filler);
            };
            QObject::connect(socket, &QTcpSocket::bytesWritten, this, more);
            more();
        } else {
            auto* drip = new QTimer(socket);
            QObject::connect(drip, &QTimer::timeout, this, [this, socket] {
                socket->write(Response.mid(Sent++ % Response.size(), 1));
            });
            drip->start(20);
        }
    }

    QTcpServer Server;
};

class TFakeSystemClock final : public TSystemClock {
  public:
    bool Allowed = true;
    QList<TDateRec> Set;
    bool SetUniversalTime(const TDateRec& utc) override {
        if (Allowed) Set << utc;
        return Allowed;
    }
};

// A port on 127.0.0.1 where nothing listens.
QString ClosedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return QString("http://127.0.0.1:%1/").arg(port);
}

} // namespace

class TTimeSyncTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();
    void DaytimeLineByColumns();
    void RepliesReadFromTheirBytes();
    void GoodReply();
    void FailuresGiveTheirTexts();
    void NoServerAndNoAnswer();
    void NothingIsWrittenToTheWorkingDirectory();
    void EndlessRepliesAreCutOff();
    void ImplausibleTimesAreRefused();
    void SyncButtonSetsTheClockThroughTheInterface();
    void UniversalTimeForTheClock();

  private:
    QTemporaryDir Folder;
    QString PreviousFolder;
};

void TTimeSyncTest::init() {
    PreviousFolder = QDir::currentPath();
    QVERIFY(QDir::setCurrent(Folder.path())); // a scratch folder that must stay as it is
}

void TTimeSyncTest::cleanup() {
    QDir::setCurrent(PreviousFolder);
}

void TTimeSyncTest::DaytimeLineByColumns() {
    // MJD 60000 at 12:34:56 UT is JD 2460000.5 + 12/24 + 34/1440 + 56/86400: 25 Feb 2023.
    const auto date = ParseDaytimeLine(GoodLine.toStdString());
    QVERIFY(date.has_value());
    QCOMPARE(date->Year, 2023);
    QCOMPARE(date->Month, 2);
    QCOMPARE(date->Day, 25);
    QCOMPARE(date->Hour, 12);
    QCOMPARE(date->Minute, 34);
    QCOMPARE(date->Second, 56);
    QCOMPARE(date->JD, 2460000.5 + 12 / 24.0 + 34 / 1440.0 + 56 / 86400.0);
    // Midnight and the last second of a day.
    QCOMPARE(ParseDaytimeLine("51544 00-01-01 00:00:00 00 0 0   0.0 UTC(NIST) *")->JD, 2451544.5);
    const auto late = ParseDaytimeLine("51544 00-01-01 23:59:59 00 0 0   0.0 UTC(NIST) *");
    QCOMPARE(late->Day, 1);
    QCOMPARE(late->Hour, 23);
    // A leap second stays on its own day: 23:59:59, not 00:00:00 of 2 January.
    bool leap = false;
    const auto leapLine =
        ParseDaytimeLine("51544 00-01-01 23:59:60 00 0 0   0.0 UTC(NIST) *", &leap);
    QVERIFY(leapLine.has_value());
    QVERIFY(leap);
    QCOMPARE(leapLine->Day, 1);
    QCOMPARE(leapLine->Hour, 23);
    QCOMPARE(leapLine->Minute, 59);
    QCOMPARE(leapLine->Second, 59);
    QCOMPARE(leapLine->JD, 2451544.5 + 86399 / 86400.0);
    QVERIFY(ParseDaytimeLine(GoodLine.toStdString(), &leap) && !leap);
    for (const char* bad :
         {"", "6000a 23-02-25 12:34:56", "60000 23-02-25 12:34", "60000 23-02-25 1x:34:56",
          "60000 23-02-25 24:00:00", "60000 23-02-25 12:60:00", "<html>Bad gateway</html>",
          " 6000 23-02-25 12:34:56", "60000 23-02-25 12:34:60", "60000 23-02-25 23:58:60",
          "60000 23-02-25 23:59:61"})
        QVERIFY2(!ParseDaytimeLine(bad), bad);
}

void TTimeSyncTest::RepliesReadFromTheirBytes() {
    const std::string head = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\n";
    const std::string line = GoodLine.toStdString();
    const struct {
        std::string Bytes;
        bool Ended;
        TTimeReplyStatus Status;
    } cases[] = {
        // Parts of a reply: wait while the server may still send the rest.
        {"", false, TTimeReplyStatus::Incomplete},
        {"HTT", false, TTimeReplyStatus::Incomplete},
        {head, false, TTimeReplyStatus::Incomplete},
        {head + "\r\n\r\n" + line, false, TTimeReplyStatus::Incomplete},
        // ...and judge what there is once it has closed the connection.
        {head, true, TTimeReplyStatus::Malformed},
        {head + "\r\n\r\n" + line, true, TTimeReplyStatus::Ok},
        {head + "\r\n" + line + "\n", false, TTimeReplyStatus::Ok},
        {"HTTP/1.0 200 OK\n\n" + line, true, TTimeReplyStatus::Ok},
        // The body's length ends the line without a line break or a closed connection.
        {head + "Content-Length: 48\r\n\r\n" + line, false, TTimeReplyStatus::Ok},
        {head + "content-length: 20\r\n\r\n" + line, false, TTimeReplyStatus::NotATime},
        // A chunked body, the line split over two chunks.
        {head + "Transfer-Encoding: chunked\r\n\r\n6\r\n60000 \r\n2A\r\n" + line.substr(6) +
             "\r\n0\r\n\r\n",
         false, TTimeReplyStatus::Ok},
        {head + "Transfer-Encoding: chunked\r\n\r\n6\r\n60000 \r\n", false,
         TTimeReplyStatus::Incomplete},
        {head + "Transfer-Encoding: chunked\r\n\r\nzz\r\n" + line, false,
         TTimeReplyStatus::NotATime},
        // Not HTTP, or no time.
        {"SSH-2.0-OpenSSH\r\n", false, TTimeReplyStatus::Malformed},
        {"HTTP/1.1 abc\r\n\r\n", true, TTimeReplyStatus::Malformed},
        {"HTTP/1.1 302 Found\r\nLocation: /x\r\n", false, TTimeReplyStatus::HttpError},
        {head + "\r\n<html>" + std::string(20000, 'x'), false, TTimeReplyStatus::TooLong},
        {head + std::string(20000, 'h'), false, TTimeReplyStatus::TooLong},
        {head + "\r\n" + std::string(20000, '\n') + line + "\n", false, TTimeReplyStatus::TooLong},
    };
    for (const auto& c : cases) {
        const TTimeReply reply = ParseTimeReply(c.Bytes, c.Ended, Span2023);
        QVERIFY2(reply.Status == c.Status,
                 qPrintable(QString("%1 for %2")
                                .arg(int(reply.Status))
                                .arg(QString::fromStdString(c.Bytes.substr(0, 120)))));
        if (reply.Status == TTimeReplyStatus::Ok) {
            QCOMPARE(reply.FirstLine, line);
            QCOMPARE(reply.Utc.JD, 2460000.5 + 12 / 24.0 + 34 / 1440.0 + 56 / 86400.0);
        }
    }
    const TTimeReply notFound = ParseTimeReply("HTTP/1.1 404 Not Found\r\n", false, Span2023);
    QCOMPARE(notFound.HttpStatus, 404);
    QCOMPARE(notFound.Reason, std::string("Not Found"));
}

void TTimeSyncTest::GoodReply() {
    TFakeTimeServer server;
    server.Answer(200, "OK", "\n" + GoodLine + "\n"); // a daytime reply may begin with a blank line
    const TTimeSyncReply reply = AnswerFrom(server.Url(), 5000, Span2023);
    QVERIFY2(reply.Ok, qPrintable(reply.Message));
    QCOMPARE(reply.Utc.Day, 25);
    QCOMPARE(reply.Utc.Second, 56);
    QCOMPARE(reply.FirstLine, QString(GoodLine));
    QVERIFY(server.LastRequest.startsWith("GET / HTTP/1.1\r\n"));
    QVERIFY(server.LastRequest.contains("User-Agent: Mozilla/3.0 (compatible)\r\n"));
    QVERIFY(
        server.LastRequest.contains("image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*"));
}

void TTimeSyncTest::FailuresGiveTheirTexts() {
    TFakeTimeServer server;
    const struct {
        int Status;
        QByteArray Reason, Body;
        QString Message; // the whole text, or for a reply the part it must quote
    } cases[] = {
        {503, "Service Unavailable", "busy",
         "Time Synchronisation Failed : 503 Service Unavailable"},
        {404, "Not Found", "", "Time Synchronisation Failed : 404 Not Found"},
        {200, "OK", "60000 23-02-25 ab:cd:ef 00 0 0\n", "\"60000 23-02-25 ab:cd:ef 00 0 0\""},
        {200, "OK", "", "\"\""},
        {200, "OK", "\x01\x1b[2J\n", "\"??[2J\""}, // control characters never reach a message
        {302, "Found\x07", "", "Time Synchronisation Failed : 302 Found?"},
    };
    for (const auto& c : cases) {
        server.Answer(c.Status, c.Reason, c.Body);
        const TTimeSyncReply reply = AnswerFrom(server.Url(), 5000, Span2023);
        QVERIFY(!reply.Ok);
        QVERIFY2(c.Status == 200 ? reply.Message.endsWith(c.Message) : reply.Message == c.Message,
                 qPrintable(reply.Message));
    }
}

void TTimeSyncTest::NoServerAndNoAnswer() {
    const TTimeSyncReply refused = AnswerFrom(ClosedPort(), 5000, Span2023);
    QVERIFY(!refused.Ok);
    QCOMPARE(refused.Message, QString("Time Synchronisation Failed : Connection refused"));

    TFakeTimeServer silent; // takes the request and never answers
    QElapsedTimer clock;
    clock.start();
    const TTimeSyncReply late = AnswerFrom(silent.Url(), 400, Span2023);
    QVERIFY(!late.Ok);
    QVERIFY2(late.Message.startsWith("Time Synchronisation Failed : "), qPrintable(late.Message));
    QVERIFY2(clock.elapsed() >= 350 && clock.elapsed() < 5000,
             qPrintable(QString("%1 ms: %2").arg(clock.elapsed()).arg(late.Message)));

    // A server that trickles its headers, a byte at a time, is held to the same limit.
    TFakeTimeServer trickle;
    trickle.Mode = TFakeTimeServer::Trickle;
    trickle.Response = "HTTP/1.1 200 OK\r\nX-Slow: yes\r\n";
    clock.restart();
    const TTimeSyncReply slow = AnswerFrom(trickle.Url(), 600, Span2023);
    QCOMPARE(slow.Message, QString("Time Synchronisation Failed : no answer within 0.6 seconds"));
    QVERIFY2(trickle.Sent > 5, qPrintable(QString::number(trickle.Sent)));
    QVERIFY2(clock.elapsed() >= 550 && clock.elapsed() < 2000,
             qPrintable(QString("%1 ms").arg(clock.elapsed())));
}

void TTimeSyncTest::NothingIsWrittenToTheWorkingDirectory() {
    // A planted "test.tmp" link to another file: neither a refused connection nor a good
    // answer may touch that file, and nothing new appears in the working directory.
    QFile victim("victim.txt");
    QVERIFY(victim.open(QIODevice::WriteOnly));
    victim.write("precious");
    victim.close();
    QVERIFY(QFile::link(QDir::current().absoluteFilePath("victim.txt"), "test.tmp"));
    const QStringList before = QDir::current().entryList(QDir::AllEntries | QDir::System |
                                                         QDir::NoDotAndDotDot | QDir::Hidden);
    QVERIFY(!AnswerFrom(ClosedPort(), 5000, Span2023).Ok);
    TFakeTimeServer server;
    server.Answer(200, "OK", GoodLine + "\n");
    QVERIFY(AnswerFrom(server.Url(), 5000, Span2023).Ok);
    QVERIFY(victim.open(QIODevice::ReadOnly));
    QCOMPARE(victim.readAll(), QByteArray("precious"));
    QCOMPARE(QDir::current().entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot |
                                       QDir::Hidden),
             before);
}

void TTimeSyncTest::EndlessRepliesAreCutOff() {
    // Each server sends a few hundred KB and then keeps the connection open: a client that
    // waited for the end would only stop at the time limit.
    const QByteArray header = "X-Filler: " + QByteArray(100, 'h') + "\r\n";
    const QByteArray ok = "HTTP/1.1 200 OK\r\n";
    const struct {
        const char* What;
        QByteArray First, Repeated;
    } floods[] = {
        {"endless headers", ok, header},
        {"a first line without end", ok + "\r\n", QByteArray(1000, '6')},
        {"endless blank lines", ok + "\r\n", QByteArray(1000, '\n')},
    };
    for (const auto& flood : floods) {
        TFakeTimeServer server;
        server.Mode = TFakeTimeServer::Flood;
        server.Response = flood.First;
        server.Filler = flood.Repeated;
        server.FloodBytes = 400 * 1024;
        QElapsedTimer clock;
        clock.start();
        const TTimeSyncReply reply = AnswerFrom(server.Url(), 8000, Span2023);
        QVERIFY2(!reply.Ok, flood.What);
        QVERIFY2(reply.Message ==
                     "Time Synchronisation Failed : no time in the first 16 KB of the server's "
                     "answer",
                 qPrintable(QString(flood.What) + ": " + reply.Message));
        QVERIFY2(clock.elapsed() < 3000,
                 qPrintable(QString("%1: %2 ms").arg(flood.What).arg(clock.elapsed())));
    }
}

void TTimeSyncTest::ImplausibleTimesAreRefused() {
    // The earliest time is the build day's midnight; the latest five years after the later
    // of the build day and the clock.
    const double built = BuildDate().JD;
    QCOMPARE(BuildDate().Hour, 0);
    QVERIFY2(built > 2460676.5, qPrintable(QString::number(built, 'f', 1))); // after 2025-01-01
    QCOMPARE(PlausibleServerSpan(2440587.5).EarliestJD, built); // a clock reset to 1970
    QCOMPARE(PlausibleServerSpan(2440587.5).LatestJD, built + 5 * 365.25);
    QCOMPARE(PlausibleServerSpan(built + 4000).LatestJD, built + 4000 + 5 * 365.25);

    TFakeTimeServer server;
    const int builtMjd = static_cast<int>(built - 2400000.5);
    const struct {
        QByteArray Line;
        bool Ok;
        QString Message;
    } cases[] = {
        {"51544 00-01-01 12:00:00 00 0 0   0.0 UTC(NIST) *", false,
         "The time server's time, 2000-01-01 12:00:00 UT, is before this program was built"},
        {"99999 32-08-31 12:00:00 00 0 0   0.0 UTC(NIST) *", false,
         "The time server's time, 2132-08-31 12:00:00 UT, is more than 5 years ahead"},
        {LineForMjd(builtMjd - 1), false, "is before this program was built"},
        {LineForMjd(builtMjd + 1), true, ""},
        {LineForMjd(builtMjd + 4 * 365), true, ""},
    };
    for (const auto& c : cases) {
        server.Answer(200, "OK", c.Line + "\r\n");
        const TTimeSyncReply reply = AnswerFrom(server.Url(), 5000, PlausibleServerSpan(built));
        QVERIFY2(reply.Ok == c.Ok, qPrintable(c.Line + ": " + reply.Message));
        QVERIFY2(reply.Message.contains(c.Message), qPrintable(reply.Message));
    }

    // A leap second at the end of a day is a plausible time of that same day.
    server.Answer(200, "OK", "60000 23-02-25 23:59:60 00 0 0  50.0 UTC(NIST) *\n");
    const TTimeSyncReply leap = AnswerFrom(server.Url(), 5000, Span2023);
    QVERIFY2(leap.Ok, qPrintable(leap.Message));
    QCOMPARE(leap.Utc.Day, 25);
    QCOMPARE(leap.Utc.Hour, 23);
    QCOMPARE(leap.Utc.Second, 59);
}

void TTimeSyncTest::SyncButtonSetsTheClockThroughTheInterface() {
    // The day after the build, so that the server's time is plausible.
    const int mjd = static_cast<int>(BuildDate().JD - 2400000.5) + 1;
    const QDate utcDay = DateOfMjd(mjd);
    TFakeTimeServer server;
    server.Answer(200, "OK", LineForMjd(mjd) + "\r\n");
    TFakeSystemClock systemClock;
    TSettings settings = DefaultSettings();
    settings.TimeZone = 48; // UT + 12 h: already the next day there at 12:34:56 UT
    settings.TimeServer = server.Url().toStdString();
    // 08:00 UT, 20:00 where the observer is.
    TProgramState state(settings, [utcDay] { return QDateTime(utcDay, QTime(8, 0), Qt::UTC); });
    state.ShiftClockTo(20, 14, 24); // 0.01 day ahead
    const double offset = state.ClockOffset();
    QWidget main;
    TTimeEditor editor(&main, state, systemClock, 1.0);
    TMessageCapture messages;
    QSignalSpy timer(&editor, &TTimeEditor::TimerEnabled);
    QSignalSpy changed(&state, &TProgramState::Changed);
    main.show();

    // The clock may not be set: the fields show the server's time, the editor stays open.
    systemClock.Allowed = false;
    editor.Open();
    editor.SyncClick();
    QTRY_COMPARE(messages.Texts, QStringList{"Failed to update System Time"});
    QCOMPARE(messages.Owners, QList<QWidget*>{&main});
    QCOMPARE(Control<QLineEdit>(editor, "txtHour")->text(), QString("12"));
    QCOMPARE(Control<QLineEdit>(editor, "txtMinute")->text(), QString("34"));
    QCOMPARE(Control<QLineEdit>(editor, "txtSecond")->text(), QString("56"));
    QVERIFY(editor.isVisible());
    QCOMPARE(state.SelectedDate().Day, utcDay.day());
    QCOMPARE(changed.count(), 0);

    systemClock.Allowed = true;
    editor.SyncClick();
    QTRY_COMPARE(systemClock.Set.size(), 1);
    QCOMPARE(messages.Texts.size(), 1);
    const TDateRec set = systemClock.Set.first();
    QCOMPARE(set.Year, utcDay.year());
    QCOMPARE(set.Month, utcDay.month());
    QCOMPARE(set.Day, utcDay.day());
    QCOMPARE(set.Hour, 12);
    QCOMPARE(set.Minute, 34);
    QCOMPARE(set.Second, 56);
    QVERIFY(!editor.isVisible());
    QCOMPARE(timer.last().at(0).toBool(), true);
    QCOMPARE(state.ClockOffset(), offset); // a synchronisation leaves the offset alone
    QCOMPARE(state.SelectedDate().Day,
             utcDay.addDays(1).day()); // the observer's civil date at that instant
    QCOMPARE(changed.count(), 1);
}

void TTimeSyncTest::UniversalTimeForTheClock() {
    TDateRec date;
    date.Year = 2023;
    date.Month = 2;
    date.Day = 25;
    date.Hour = 12;
    date.Minute = 34;
    date.Second = 56;
    // (JD 2460000.5 + 45296/86400 − 2440587.5) × 86400 seconds after 1970-01-01 00:00 UT.
    const auto when = UniversalTimespec(date);
    QVERIFY(when.has_value());
    QCOMPARE(static_cast<long long>(when->tv_sec), 1677328496LL);
    QCOMPARE(when->tv_nsec, 0L);
    date.Day = 29; // 29 February 2023 does not exist
    QVERIFY(!UniversalTimespec(date));
}

QTEST_MAIN(TTimeSyncTest)
#include "time_sync_test.moc"
