// Setting the clock from a time server, against a small HTTP server on 127.0.0.1 and a
// fake system clock: a good reply, an HTTP error, a malformed line, no server, no answer.

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include "ui/main/clock_editor.h"
#include "ui/main/system_clock.h"
#include "ui/main/time_sync.h"

namespace {

const QByteArray GoodLine = "60000 23-02-25 12:34:56 00 0 0  50.0 UTC(NIST) *";

// Answers every request with one canned HTTP response; remembers the last request.
class TFakeTimeServer : public QObject {
  public:
    QByteArray Response; // empty: accept and never answer
    QByteArray LastRequest;

    TFakeTimeServer() {
        Server.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&Server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = Server.nextPendingConnection()) {
                QObject::connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
                    LastRequest += socket->readAll();
                    if (!LastRequest.contains("\r\n\r\n") || Response.isEmpty()) return;
                    socket->write(Response);
                    socket->disconnectFromHost();
                });
            }
        });
    }
    [[nodiscard]] QUrl Url() const {
        return QUrl(QString("http://127.0.0.1:%1/").arg(Server.serverPort()));
    }
    void Answer(int status, const QByteArray& reason, const QByteArray& body) {
        Response =
            "HTTP/1.1 " + QByteArray::number(status) + " " + reason +
            "\r\nContent-Type: text/plain\r\nContent-Length: " + QByteArray::number(body.size()) +
            "\r\nConnection: close\r\n\r\n" + body;
    }

  private:
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
QUrl ClosedPort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    return QUrl(QString("http://127.0.0.1:%1/").arg(port));
}

} // namespace

class TTimeSyncTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void cleanup();
    void DaytimeLineByColumns();
    void GoodReply();
    void FailuresGiveTheirTexts();
    void NoServerAndNoAnswer();
    void SyncButtonSetsTheClockThroughTheInterface();
    void UniversalTimeForTheClock();

  private:
    QTemporaryDir Folder;
    QString PreviousFolder;
};

void TTimeSyncTest::init() {
    PreviousFolder = QDir::currentPath();
    QVERIFY(QDir::setCurrent(Folder.path())); // "test.tmp" lands in a scratch folder
}

void TTimeSyncTest::cleanup() {
    QDir::setCurrent(PreviousFolder);
}

void TTimeSyncTest::DaytimeLineByColumns() {
    // MJD 60000 at 12:34:56 UT is JD 2460000.5 + 12/24 + 34/1440 + 56/86400: 25 Feb 2023.
    const auto date = ParseDaytimeLine(GoodLine);
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
    for (const char* bad :
         {"", "6000a 23-02-25 12:34:56", "60000 23-02-25 12:34", "60000 23-02-25 1x:34:56",
          "60000 23-02-25 24:00:00", "60000 23-02-25 12:60:00", "<html>Bad gateway</html>",
          " 6000 23-02-25 12:34:56"})
        QVERIFY2(!ParseDaytimeLine(bad), bad);
}

void TTimeSyncTest::GoodReply() {
    TFakeTimeServer server;
    server.Answer(200, "OK", "\n" + GoodLine + "\n"); // a daytime reply may begin with a blank line
    QFile old("test.tmp");
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(500, 'x'));
    old.close();
    bool timerStopped = false;
    const TTimeSyncReply reply =
        FetchServerTime(server.Url(), "test.tmp", 5000, [&] { timerStopped = true; });
    QVERIFY2(reply.Ok, qPrintable(reply.Message));
    QVERIFY(timerStopped);
    QCOMPARE(reply.Utc.Day, 25);
    QCOMPARE(reply.Utc.Second, 56);
    QCOMPARE(reply.FirstLine, QString(GoodLine));
    QVERIFY(server.LastRequest.startsWith("GET / HTTP/1.1\r\n"));
    QVERIFY(server.LastRequest.contains("User-Agent: Mozilla/3.0 (compatible)\r\n"));
    QVERIFY(
        server.LastRequest.contains("image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, */*"));
    QFile kept("test.tmp"); // written anew: nothing of the old file is left
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), "\n" + GoodLine + "\n");
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
    };
    for (const auto& c : cases) {
        server.Answer(c.Status, c.Reason, c.Body);
        const TTimeSyncReply reply = FetchServerTime(server.Url(), "test.tmp", 5000);
        QVERIFY(!reply.Ok);
        QVERIFY2(c.Status == 200 ? reply.Message.endsWith(c.Message) : reply.Message == c.Message,
                 qPrintable(reply.Message));
    }
}

void TTimeSyncTest::NoServerAndNoAnswer() {
    const TTimeSyncReply refused = FetchServerTime(ClosedPort(), "test.tmp", 5000);
    QVERIFY(!refused.Ok);
    QCOMPARE(refused.Message, QString("Time Synchronisation Failed : Connection refused"));

    TFakeTimeServer silent; // takes the request and never answers
    QElapsedTimer clock;
    clock.start();
    const TTimeSyncReply late = FetchServerTime(silent.Url(), "test.tmp", 400);
    QVERIFY(!late.Ok);
    QVERIFY2(late.Message.startsWith("Time Synchronisation Failed : "), qPrintable(late.Message));
    QVERIFY2(clock.elapsed() >= 350 && clock.elapsed() < 5000,
             qPrintable(QString("%1 ms: %2").arg(clock.elapsed()).arg(late.Message)));
}

void TTimeSyncTest::SyncButtonSetsTheClockThroughTheInterface() {
    TFakeTimeServer server;
    server.Answer(200, "OK", GoodLine + "\r\n");
    TFakeSystemClock systemClock;
    QWidget main;
    TTimeEditor editor(
        &main, [] { return QDateTime(QDate(2023, 2, 25), QTime(8, 0, 0)); }, systemClock, 1.0);
    TDateRec selected;
    selected.Day = 25;
    selected.Month = 2;
    selected.Year = 2023;
    selected.Hour = 8;
    selected.JD = JulianDay(selected);
    double offset = 0.01;
    TObserver observer;
    observer.ZoneMinutes = 720; // UT + 12 h: already 26 February there
    editor.Bind(selected, offset, observer);
    editor.SetTimeServer(server.Url().toString());
    QStringList messages;
    editor.ShowMessage = [&](const QString& text) { messages << text; };
    QSignalSpy timer(&editor, &TTimeEditor::TimerEnabled);
    QSignalSpy changed(&editor, &TTimeEditor::DateChanged);
    main.show();

    // The clock may not be set: the fields show the server's time, the editor stays open.
    systemClock.Allowed = false;
    editor.Open();
    editor.SyncClick();
    QCOMPARE(messages, QStringList{"Failed to update System Time"});
    QCOMPARE(editor.txtHour->text(), QString("12"));
    QCOMPARE(editor.txtMinute->text(), QString("34"));
    QCOMPARE(editor.txtSecond->text(), QString("56"));
    QVERIFY(editor.isVisible());
    QCOMPARE(selected.Day, 25);

    systemClock.Allowed = true;
    editor.SyncClick();
    QCOMPARE(messages.size(), 1);
    QCOMPARE(systemClock.Set.size(), 1);
    const TDateRec set = systemClock.Set.first();
    QCOMPARE(set.Year, 2023);
    QCOMPARE(set.Month, 2);
    QCOMPARE(set.Day, 25);
    QCOMPARE(set.Hour, 12);
    QCOMPARE(set.Minute, 34);
    QCOMPARE(set.Second, 56);
    QVERIFY(!editor.isVisible());
    QCOMPARE(timer.last().at(0).toBool(), true);
    QCOMPARE(offset, 0.01);     // a synchronisation leaves the offset alone
    QCOMPARE(selected.Day, 26); // the observer's civil date at that instant
    QCOMPARE(selected.Hour, 0);
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
