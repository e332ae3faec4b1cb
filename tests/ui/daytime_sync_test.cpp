// SPDX-License-Identifier: GPL-3.0-or-later
// Setting the clock from a daytime server (RFC 867) on 127.0.0.1: the server speaks first and
// the client sends nothing; the first line with text decides as soon as it ends, whether or
// not the server closes. (Silent and endless servers meet the same limits as on the web path.)

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <cmath>
#include <utility>

#include "settings/settings.h"
#include "time_request_wait.h"
#include "ui/common/messages.h"
#include "ui/common/program_state.h"
#include "ui/main/clock_editor.h"
#include "ui/main/system_clock.h"
#include "ui/main/time_sync.h"

namespace {

// Times around 2023 count as plausible for the canned lines.
constexpr TPlausibleSpan Span2023{2459000.5, 2461000.5};

// NIST's layout: MJD 60000 is 25 February 2023.
const QByteArray NistLine = "60000 23-02-25 12:34:56 00 0 0  50.0 UTC(NIST) *";

// Sends Greeting on every connection, then closes it unless KeepOpen. Remembers what clients
// sent.
class TFakeDaytimeServer : public QObject {
  public:
    QByteArray Greeting;
    bool KeepOpen = false;
    QByteArray Received;
    int Connections = 0;

    TFakeDaytimeServer() {
        Server.listen(QHostAddress::LocalHost, 0);
        connect(&Server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = Server.nextPendingConnection()) {
                ++Connections;
                connect(socket, &QTcpSocket::readyRead, this,
                        [this, socket] { Received += socket->readAll(); });
                socket->write(Greeting);
                if (!KeepOpen) socket->disconnectFromHost();
            }
        });
    }
    [[nodiscard]] QString Url() const {
        return QStringLiteral("daytime://127.0.0.1:%1").arg(Server.serverPort());
    }

  private:
    QTcpServer Server;
};

class TFakeSystemClock final : public TSystemClock {
  public:
    QList<TDateRec> Set;
    bool SetUniversalTime(const TDateRec& utc) override {
        Set << utc;
        return true;
    }
};

} // namespace

class TDaytimeSyncTest : public QObject {
    Q_OBJECT
  private slots:
    void BareLinesReadFromTheirBytes();
    void ServerLineReadWithOrWithoutClosing();
    void SyncSetsTheClockFromADaytimeServer();
    void TimesWithAZoneInOtherLayouts();
    void ZonelessTimesAndBadAddressesAreRefused();
};

void TDaytimeSyncTest::BareLinesReadFromTheirBytes() {
    const std::string line = NistLine.toStdString();
    // Not decided before the line ends, unless the server has closed.
    QCOMPARE(ParseDaytimeReply(line, false, Span2023).Status, TTimeReplyStatus::Incomplete);
    QCOMPARE(ParseDaytimeReply(line, true, Span2023).Status, TTimeReplyStatus::Ok);
    // NIST starts with an empty line; its own line ends with a blank and CRLF.
    const TTimeReply ok = ParseDaytimeReply("\n" + line + " \r\n", false, Span2023);
    QCOMPARE(ok.Status, TTimeReplyStatus::Ok);
    QCOMPARE(ok.HttpStatus, 0);
    QCOMPARE(ok.Utc.Year, 2023);
    QCOMPARE(ok.Utc.Month, 2);
    QCOMPARE(ok.Utc.Day, 25);
    QCOMPARE(ok.Utc.Hour, 12);
    QCOMPARE(ok.Utc.Second, 56);
    QCOMPARE(ParseDaytimeReply("\r\n\n", false, Span2023).Status, TTimeReplyStatus::Incomplete);
    QCOMPARE(ParseDaytimeReply("", true, Span2023).Status, TTimeReplyStatus::NotATime);
    // An HTTP reply is not a daytime line.
    QCOMPARE(ParseDaytimeReply("HTTP/1.1 200 OK\r\n\r\n" + line + "\n", true, Span2023).Status,
             TTimeReplyStatus::NotATime);
    // Endless text without a line break is cut off at the limit, closed or not.
    const std::string endless(MaxTimeReplyBytes + 1, '6');
    QCOMPARE(ParseDaytimeReply(endless, false, Span2023).Status, TTimeReplyStatus::TooLong);
    QCOMPARE(ParseDaytimeReply(endless, true, Span2023).Status, TTimeReplyStatus::TooLong);
    QCOMPARE(ParseDaytimeReply(line + "\n", true, {2461000.5, 2462000.5}).Status,
             TTimeReplyStatus::TooEarly);
}

void TDaytimeSyncTest::ServerLineReadWithOrWithoutClosing() {
    for (bool keepOpen : {false, true}) {
        TFakeDaytimeServer server;
        server.Greeting = "\n" + NistLine + " \n";
        server.KeepOpen = keepOpen;
        QElapsedTimer took;
        took.start();
        const TTimeSyncReply reply = AnswerFrom(server.Url(), 5000, Span2023);
        QVERIFY2(reply.Ok, qPrintable(reply.Message));
        QVERIFY2(took.elapsed() < 2000, "the line's end decides, not the timeout");
        QCOMPARE(reply.Utc.Minute, 34);
        QCOMPARE(reply.FirstLine, QString::fromLatin1(NistLine + " "));
        QCoreApplication::processEvents();
        QCOMPARE(server.Connections, 1);
        QVERIFY2(server.Received.isEmpty(), server.Received.constData()); // no request
    }
}

void TDaytimeSyncTest::SyncSetsTheClockFromADaytimeServer() {
    // The day after the build, so that the server's time is plausible.
    const int mjd = static_cast<int>(BuildDate().JD - 2400000.5) + 1;
    const QDate utcDay = QDate::fromJulianDay(mjd + 2400001);
    TFakeDaytimeServer server;
    server.Greeting = "\n" + QByteArray::number(mjd) + " " +
                      utcDay.toString("yy-MM-dd").toLatin1() +
                      " 21:09:07 00 0 0  50.0 UTC(NIST) * \n";
    TFakeSystemClock systemClock;
    TSettings settings = DefaultSettings();
    settings.TimeServer = server.Url().toStdString();
    TProgramState state(settings, [utcDay] { return QDateTime(utcDay, QTime(8, 0), Qt::UTC); });
    QWidget main;
    TTimeEditor editor(&main, state, systemClock, 1.0);
    TMessageCapture messages;
    QApplication::setCursorFlashTime(0); // the fields' text cursor holds still for the pictures
    main.show();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    editor.Open();
    const auto click = [&](int x) { QTest::mouseClick(&editor, Qt::LeftButton, {}, {x, 10}); };

    // Silent at first: the clicks return at once (no message yet), the editor stays as it is,
    // and the second click does not ask again. Then "Now" (x 130) abandons the next request.
    const QByteArray greeting = std::exchange(server.Greeting, {});
    server.KeepOpen = true;
    editor.SetSyncTimeout(700);
    const QImage before = editor.grab().toImage();
    click(183);
    click(183);
    QTest::qWait(200);
    QCOMPARE(server.Connections, 1);
    QVERIFY(messages.Texts.isEmpty() && editor.grab().toImage() == before);
    QTRY_COMPARE(messages.Texts,
                 QStringList{"Time Synchronisation Failed : no answer within 0.7 seconds"});
    click(183);
    QTRY_COMPARE(server.Connections, 2);
    click(130);
    QTest::qWait(1000);
    server.Greeting = greeting;
    editor.Open();
    click(183);
    QTRY_COMPARE(systemClock.Set.size(), 1);
    QCOMPARE(messages.Texts.size(), 1); // the silent server's only
    const TDateRec set = systemClock.Set.first();
    QCOMPARE(QDate(set.Year, set.Month, set.Day), utcDay);
    QCOMPARE(set.Hour, 21);
    QCOMPARE(set.Minute, 9);
    QCOMPARE(set.Second, 7);
    QVERIFY(!editor.isVisible());
}

void TDaytimeSyncTest::TimesWithAZoneInOtherLayouts() {
    // 25 February 2023 12:34:56 UT, however it is written; Ok or the status when not.
    const double jd = 2460000.5 + 12 / 24.0 + 34 / 1440.0 + 56 / 86400.0;
    const std::pair<const char*, TTimeReplyStatus> lines[] = {
        {"2023-02-25T12:34:56Z", TTimeReplyStatus::Ok},
        {"2023-02-25 13:34:56.250+01:00", TTimeReplyStatus::Ok},
        {"2023-02-25t07:04:56-0530", TTimeReplyStatus::Ok},
        {"2023-02-26T00:34:56+12", TTimeReplyStatus::Ok},
        {"Sat, 25 Feb 2023 12:34:56 +0000", TTimeReplyStatus::Ok},
        {"25 feb 2023 07:34:56 EST (Eastern)", TTimeReplyStatus::Ok},
        {"Sat Feb 25 12:34:56 UTC 2023", TTimeReplyStatus::Ok},
        {"Sat Feb 25 12:34:56 2023", TTimeReplyStatus::NoZone},
        {"2023-02-25T12:34:56", TTimeReplyStatus::NoZone},
        {"Sat, 25 Feb 2023 12:34:56", TTimeReplyStatus::NoZone},
        {"Sat Feb 30 12:34:56 2023", TTimeReplyStatus::NotATime},
        {"2023-02-25T12:34:56+25:00", TTimeReplyStatus::NotATime},
    };
    for (const auto& [line, status] : lines) {
        const TTimeReply reply = ParseDaytimeReply(std::string(line) + "\r\n", false, Span2023);
        QVERIFY2(reply.Status == status, line);
        if (status == TTimeReplyStatus::Ok)
            QVERIFY2(std::abs(reply.Utc.JD - jd) < 1e-9 && reply.Utc.Second == 56, line);
    }
    // A leap second is one only in the last minute of a UT day, whatever the zone.
    const TTimeReply leap = ParseDaytimeReply("2016-12-31T18:59:60-05:00\n", false, {0, 1e7});
    QVERIFY(leap.Status == TTimeReplyStatus::Ok && leap.LeapSecond);
    QCOMPARE(leap.Utc.Hour, 23);
    QCOMPARE(leap.Utc.Second, 59);
    QVERIFY(ParseDaytimeReply("2016-12-31T23:59:60-05:00\n", false, {0, 1e7}).Status ==
            TTimeReplyStatus::NotATime);
}

void TDaytimeSyncTest::ZonelessTimesAndBadAddressesAreRefused() {
    TFakeDaytimeServer server;
    server.Greeting = "Sat Feb 25 12:34:56 2023\r\n";
    QCOMPARE(AnswerFrom(server.Url(), 5000, Span2023).Message,
             QStringLiteral("The time server's reply, \"Sat Feb 25 12:34:56 2023\", "
                            "gives a date and time without a time zone, so it "
                            "cannot set the clock; choose a server that gives "
                            "universal time."));
    // An address that is not one is refused before anything is sent, quoted as it stands.
    TFakeSystemClock systemClock;
    TProgramState state(DefaultSettings(),
                        [] { return QDateTime(QDate(2026, 12, 7), QTime(8, 0), Qt::UTC); });
    QWidget main;
    TTimeEditor editor(&main, state, systemClock, 1.0);
    main.show();
    for (const QString& address : {server.Url() + "0000", server.Url() + " ", " " + server.Url()}) {
        TMessageCapture messages;
        TSettings changed = state.Settings();
        changed.TimeServer = address.toStdString();
        state.ApplySettings(changed);
        editor.Open();
        editor.SyncClick();
        QTRY_COMPARE(messages.Texts.size(), 1);
        QVERIFY2(messages.Texts[0].startsWith("The time server \"" + address +
                                              "\" is not a valid address: "),
                 qPrintable(messages.Texts[0]));
    }
    QCOMPARE(server.Connections, 1);
    QVERIFY(systemClock.Set.isEmpty());
}

QTEST_MAIN(TDaytimeSyncTest)
#include "daytime_sync_test.moc"
