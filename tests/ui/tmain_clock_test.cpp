// SPDX-License-Identifier: GPL-3.0-or-later
// The clock as the main window uses it: the time editor opened from lblClock, "Now" after
// a jump to a principal phase or another year, and "Sync" against a server on 127.0.0.1.

#include <memory>
#include <tuple>

#include <QLineEdit>
#include <QLocale>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include "tmain_fixture.h"
#include "ui/common/art_names.h"
#include "ui/common/artwork.h"
#include "ui/common/fonts.h"
#include "ui/main/clock_editor.h"
#include "ui/main/system_clock.h"
#include "ui/main/time_sync_reply.h"

namespace {

// Answers every connection with one fixed HTTP reply.
class TOneReplyServer : public QObject {
  public:
    explicit TOneReplyServer(QByteArray reply) : Reply(std::move(reply)) {
        Server.listen(QHostAddress::LocalHost, 0);
        connect(&Server, &QTcpServer::newConnection, this, [this] {
            QTcpSocket* socket = Server.nextPendingConnection();
            connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                socket->readAll();
                socket->write(Reply);
                socket->disconnectFromHost();
            });
        });
    }
    [[nodiscard]] QString Url() const {
        return QStringLiteral("http://127.0.0.1:%1/").arg(Server.serverPort());
    }

  private:
    QTcpServer Server;
    QByteArray Reply;
};

class TRecordingClock final : public TSystemClock {
  public:
    bool SetUniversalTime(const TDateRec& utc) override {
        Set = utc;
        ++Calls;
        return true;
    }
    TDateRec Set;
    int Calls = 0;
};

void ClickAt(QWidget* w, QPoint at) {
    QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, at);
}

} // namespace

// A main window whose Sync asks the given server, with a recording system clock and its
// messages collected instead of shown.
struct TSyncWindow {
    TRecordingClock Clock;
    TMainHarness H;
    TMain* Main;
    const QStringList& Messages;

    TSyncWindow(const QString& serverUrl, const QDateTime& now)
        : H(now, {}, &Clock), Main(H.Main), Messages(H.Messages.Texts) {
        H.ChangeSettings([&](TSettings& s) { s.TimeServer = serverUrl.toStdString(); });
    }

    void ClickSync() {
        QTest::mouseClick(H.Label("lblClock"), Qt::LeftButton);
        ClickAt(&Main->Strip().Editor(), {180, 10}); // "Sync"
        // The answer comes through the event loop: a message or the clock set.
        QVERIFY(QTest::qWaitFor([this] { return !Messages.isEmpty() || Clock.Calls > 0; }, 5000));
    }
};

class TMainClockTest : public QObject {
    Q_OBJECT
  private slots:
    void EditorStopsTheDisplayAndApplies();
    void NowAfterAPhaseJumpAndAnotherYear();
    void SyncFromTheTimeServer();
    void SyncFailuresChangeNothing();
    void FieldsPadWhenLeft();
    void SydneyTimeEitherSideOfTheChange();
};

void TMainClockTest::EditorStopsTheDisplayAndApplies() {
    TMainHarness h(At(2026, 12, 7, 20, 15, 40));
    TMain& m = *h.Main;
    TTimeEditor& editor = m.Strip().Editor();
    h.Show();
    h.Click(h.Label("lblSelectedYear")); // a pending year edit is closed first
    QVERIFY(m.Calendar().YearEditing());
    h.Click(h.Label("lblClock"));
    QVERIFY(!m.Calendar().YearEditing());
    QVERIFY(!editor.isHidden());
    QVERIFY(!h.DisplayRuns());
    h.Now = At(2026, 12, 7, 20, 15, 40);
    QCOMPARE(editor.pos(), QPoint(130, 40));
    QCOMPARE(Control<QLineEdit>(editor, "txtHour")->text(), QString("20"));
    QCOMPARE(Control<QLineEdit>(editor, "txtMinute")->text(), QString("15"));

    Control<QLineEdit>(editor, "txtHour")->setText("24");
    QTest::keyClick(Control<QLineEdit>(editor, "txtHour"), Qt::Key_Return);
    QVERIFY(!editor.isHidden());
    QCOMPARE(h.Messages.Texts.size(), 1);
    QCOMPARE(h.Messages.Owners[0], &m);
    QCOMPARE(h.State->ClockOffset(), 0.0);
    Control<QLineEdit>(editor, "txtHour")->setText("23");
    QTest::keyClick(Control<QLineEdit>(editor, "txtHour"), Qt::Key_Return);
    QVERIFY(editor.isHidden());
    QVERIFY(h.DisplayRuns());
    QVERIFY2(h.StripText().startsWith("23:15:41  07 December 2026"), qPrintable(h.StripText()));
}

void TMainClockTest::NowAfterAPhaseJumpAndAnotherYear() {
    TMainHarness h(At(2026, 12, 7, 8, 30, 15));
    TMain& m = *h.Main;
    TTimeEditor& editor = m.Strip().Editor();
    m.Tick();
    h.Click(h.Label("lblPhase4")); // 24 December 2026, 01:29
    QCOMPARE(int(h.Selected().Day), 24);
    QVERIFY(h.State->ClockOffset() != 0.0);
    h.Click(h.Label("lblSelectedYear"));
    QTest::keyClick(&m, Qt::Key_Backspace);
    QTest::keyClick(&m, '9');
    QTest::keyClick(&m, Qt::Key_Return);
    QCOMPARE(int(h.Selected().Year), 2029);
    h.Now = At(2026, 12, 7, 8, 31, 0);

    h.Click(h.Label("lblClock"));
    ClickAt(&editor, {130, 10}); // "Now"
    QVERIFY(editor.isHidden());
    QCOMPARE(h.State->ClockOffset(), 0.0);
    QCOMPARE(int(h.Selected().Year), 2026);
    QCOMPARE(int(h.Selected().Month), 12);
    QCOMPARE(int(h.Selected().Day), 7);
    QCOMPARE(h.Label("lblSelectedYear")->text(), QString("2026"));
    QLabel* today = h.DayCell(7);
    QCOMPARE(m.Calendar().HighlightPos(), QPoint(today->x() - 1, today->y() - 3));
    m.Tick();
    QVERIFY2(h.StripText().startsWith("08:31:00  07 December 2026"), qPrintable(h.StripText()));
}

void TMainClockTest::SyncFromTheTimeServer() {
    // The day after the build, so that the server's time is plausible, while the computer's
    // clock is a year and a half behind. MJD 0 is 17 November 1858 (JD 2400000.5).
    const int mjd = static_cast<int>(BuildDate().JD - 2400000.5) + 1;
    const QDate day = QDate::fromJulianDay(mjd + 2400001);
    TOneReplyServer server("HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n" +
                           QByteArray::number(mjd) + " " + day.toString("yy-MM-dd").toLatin1() +
                           " 12:34:56 00 0 0  50.0 UTC(NIST) *\n");
    TSyncWindow w(server.Url(), At(2025, 6, 1, 8, 0));
    TMain& m = *w.Main;
    const TRecordingClock& clock = w.Clock;
    const TTimeEditor& editor = m.Strip().Editor();
    w.ClickSync();
    QVERIFY2(w.Messages.isEmpty(), qPrintable(w.Messages.join('|')));
    QCOMPARE(clock.Calls, 1);
    QCOMPARE(int(clock.Set.Year), day.year());
    QCOMPARE(int(clock.Set.Month), day.month());
    QCOMPARE(int(clock.Set.Day), day.day());
    QCOMPARE(int(clock.Set.Hour), 12);
    QCOMPARE(int(clock.Set.Second), 56);
    QVERIFY(editor.isHidden());
    QCOMPARE(int(w.H.Selected().Year), day.year());
    QCOMPARE(int(w.H.Selected().Day), day.day());
    QCOMPARE(w.H.Label("lblSelectedmonth")->text(),
             QLocale(QLocale::English).monthName(day.month()));

    // Nobody listening: the failure is reported and nothing is set.
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    const quint16 port = probe.serverPort();
    probe.close();
    TSyncWindow refused(QStringLiteral("http://127.0.0.1:%1/").arg(port), At(2026, 12, 7, 8, 0));
    TMain& n = *refused.Main;
    refused.ClickSync();
    QCOMPARE(refused.H.Messages.Owners.value(0), &n);
    const QStringList& failures = refused.Messages;
    QCOMPARE(failures.size(), 1);
    QVERIFY(failures[0].startsWith("Time Synchronisation Failed : "));
    QCOMPARE(refused.Clock.Calls, 0);
    QVERIFY(!n.Strip().Editor().isHidden());
    QCOMPARE(int(refused.H.Selected().Year), 2026);
}

void TMainClockTest::SyncFailuresChangeNothing() {
    // An HTTP error and a reply that is no daytime line, through the window's own Sync.
    const struct {
        const char* Reply;
        const char* Message;
    } cases[] = {
        {"HTTP/1.0 503 Service Unavailable\r\nContent-Length: 0\r\n\r\n",
         "Time Synchronisation Failed : 503 Service Unavailable"},
        {"HTTP/1.0 404 Not Found\r\nContent-Length: 0\r\n\r\n",
         "Time Synchronisation Failed : 404 Not Found"},
        {"HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n6000O 23-02-25 12:34:56 00 0\n",
         "The time server's reply is not a time"},
        {"HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n60000 23-02-25 1x:34:56 00 0\n",
         "The time server's reply is not a time"},
        {"HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\n<html>busy</html>\n",
         "The time server's reply is not a time"},
    };
    for (const auto& c : cases) {
        TOneReplyServer server(c.Reply);
        TSyncWindow w(server.Url(), At(2026, 12, 7, 8, 0, 10));
        TMain& m = *w.Main;
        const TRecordingClock& clock = w.Clock;
        const QStringList& messages = w.Messages;
        const TTimeEditor& editor = m.Strip().Editor();
        w.ClickSync();
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].startsWith(c.Message), qPrintable(messages[0]));
        QCOMPARE(clock.Calls, 0);
        QVERIFY(!editor.isHidden()); // the editor stays open
        QCOMPARE(Control<QLineEdit>(editor, "txtHour")->text(), QString("08"));
        QCOMPARE(Control<QLineEdit>(editor, "txtSecond")->text(), QString("10"));
        QCOMPARE(int(w.H.Selected().Year), 2026);
        QCOMPARE(int(w.H.Selected().Day), 7);
        QCOMPARE(w.H.State->ClockOffset(), 0.0);
        QVERIFY(!w.H.DisplayRuns()); // still standing, as the editor is open
    }
}

void TMainClockTest::FieldsPadWhenLeft() {
    TMainHarness h(At(2026, 12, 7, 20, 15, 40));
    TMain& m = *h.Main;
    TTimeEditor& editor = m.Strip().Editor();
    m.show();
    QVERIFY(QTest::qWaitForWindowExposed(&m));
    h.Click(h.Label("lblClock"));
    QLineEdit* minute = Control<QLineEdit>(editor, "txtMinute");
    minute->setFocus();
    minute->clear();
    QTest::keyClick(minute, '7');
    QTest::keyClick(minute, 'x'); // not a digit: discarded
    QCOMPARE(minute->text(), QString("7"));
    QTest::keyClick(minute, Qt::Key_Tab); // on to the seconds
    QCOMPARE(minute->text(), QString("07"));
    QLineEdit* second = Control<QLineEdit>(editor, "txtSecond");
    QVERIFY(second->hasFocus());
    second->clear();
    QTest::keyClick(second, Qt::Key_Backtab);
    QCOMPARE(second->text(), QString("00"));
    QTest::keyClick(Control<QLineEdit>(editor, "txtHour"), Qt::Key_Return);
    QVERIFY(editor.isHidden());
    m.Tick();
    QVERIFY2(h.StripText().startsWith("20:07:00  07 December 2026"), qPrintable(h.StripText()));
}

// A first start in Sydney either side of 16:00 UT 3 October 2026, when AEST (+10) turns AEDT.
void TMainClockTest::SydneyTimeEitherSideOfTheChange() {
    qputenv("TZ", "Australia/Sydney");
    const std::tuple<QDateTime, const char*, const char*> cases[] = {
        {At(2026, 10, 3, 15, 30), "01:30:00  04 October 2026 - ", "Sydney (AEST)"},
        {At(2026, 10, 3, 16, 30), "03:30:00  04 October 2026 - ", "Sydney (AEDT)"}};
    for (const auto& [utc, shown, caption] : cases) {
        TMainHarness h(utc);
        h.Show();
        QVERIFY2(h.StripText().startsWith(shown), qPrintable(h.StripText()));
        const QFont font = ClockStripFont(FontScale(h.Main));
        const QImage expected = ComposeClockStrip(
            LoadArt(ArtClockStrip), font, h.StripText(),
            ZoneAndSiderealText(font, caption, h.Main->LocalSiderealTime({}, false)));
        const QImage painted = h.Main->grab(QRect(ClockStripTopLeft, expected.size())).toImage();
        QCOMPARE(painted.convertToFormat(expected.format()).copy(411, 0, 229, 25),
                 expected.copy(411, 0, 229, 25));
    }
    qputenv("TZ", "UTC");
}

QTEST_MAIN(TMainClockTest)
#include "tmain_clock_test.moc"
