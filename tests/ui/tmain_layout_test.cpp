// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as an observer sees it: in several months and views every caption fits
// its control and no two captions cover each other. With TIDEWELL_SHOTS set to a folder the
// window of each state is also saved there as a PNG, to be looked at.

#include <QDir>
#include <QFontMetrics>
#include <QLineEdit>
#include <QTest>
#include <QTimeZone>

#include "engine/phase_name.h"
#include "tmain_fixture.h"
#include "ui/common/calendar_layout.h"
#include "ui/common/fonts.h"
#include "ui/common/window_part.h"
#include "ui/main/clock_editor.h"
#include "ui/main/clock_strip.h"

namespace {

// The rectangle a label's text covers, in window coordinates.
QRect TextArea(const QLabel* label) {
    const QFontMetrics metrics(label->font());
    const QRect inside = label->contentsRect();
    const QRect text =
        metrics.boundingRect(inside, static_cast<int>(label->alignment()), label->text());
    return text.translated(label->mapTo(label->window(), QPoint(0, 0)));
}

bool Shown(const QLabel* label) {
    return label->isVisibleTo(label->window()) && !label->text().trimmed().isEmpty();
}

// Every caption inside its label and inside the window, and no two overlapping.
QStringList LayoutFaults(const TMain& m) {
    QStringList faults;
    QList<const QLabel*> labels;
    for (const QLabel* label : m.findChildren<QLabel*>())
        if (label->window() == &m &&
            (label->parentWidget() == &m || qobject_cast<TWindowPart*>(label->parentWidget())) &&
            Shown(label) && label->pixmap().isNull())
            labels.append(label);
    // The window's captions live in its parts; a search that misses them checks nothing.
    if (labels.size() < 60) faults << QStringLiteral("only %1 captions found").arg(labels.size());
    for (const QLabel* label : labels) {
        const QRect text = TextArea(label);
        const int advance = QFontMetrics(label->font()).horizontalAdvance(label->text());
        if (advance > label->contentsRect().width())
            faults << QStringLiteral("%1 \"%2\" needs %3 px, has %4")
                          .arg(label->objectName(), label->text())
                          .arg(advance)
                          .arg(label->contentsRect().width());
        if (!m.rect().contains(text))
            faults << QStringLiteral("%1 leaves the window").arg(label->objectName());
    }
    for (int i = 0; i < labels.size(); ++i)
        for (int j = i + 1; j < labels.size(); ++j) {
            // A caption and its own shadow lie over each other on purpose.
            const QString a = labels[i]->objectName(), b = labels[j]->objectName();
            if (a.startsWith(b) || b.startsWith(a) || a.contains("Shadow") || b.contains("Shadow"))
                continue;
            const QRect overlap = TextArea(labels[i]).intersected(TextArea(labels[j]));
            if (overlap.width() > 1 && overlap.height() > 2)
                faults << QStringLiteral("%1 \"%2\" covers %3 \"%4\"")
                              .arg(a, labels[i]->text(), b, labels[j]->text());
        }
    return faults;
}

void Save(TMain& m, const QString& name) {
    const QString folder = qEnvironmentVariable("TIDEWELL_SHOTS");
    if (folder.isEmpty()) return;
    QDir().mkpath(folder);
    m.grab().save(folder + "/" + name + ".png");
}

// Sydney: 33°52' S, 151°12' E, ten hours ahead of Greenwich.
TSeed SeedSydney() {
    return Seed({{"LatDir", "South"},
                 {"LatDeg", "33"},
                 {"LatMin", "52"},
                 {"LongDir", "East"},
                 {"LongDeg", "151"},
                 {"LongMin", "12"},
                 {"TimeZone", "44"}}); // (44 − 24) × 30 minutes
}

// Flagstaff, Arizona: 35°12' N, 111°39' W, seven hours behind Greenwich.
TSeed SeedFlagstaff() {
    return Seed({{"LatDeg", "35"},
                 {"LatMin", "12"},
                 {"LongDeg", "111"},
                 {"LongMin", "39"},
                 {"LongDir", "West"},
                 {"TimeZone", "10"}}); // (10 − 24) × 30 minutes
}

} // namespace

class TMainLayoutTest : public QObject {
    Q_OBJECT
  private slots:
    void CaptionsFitInEveryState();
    void AnEveningAtTheTelescope();
    void ClockStripHoldsTheLongestTexts();
};

void TMainLayoutTest::CaptionsFitInEveryState() {
    struct TState {
        const char* Name;
        QDateTime Now;
        bool South;
    };
    const TState states[] = {
        {"eclipse-november-2022", At(2022, 11, 8, 10, 59, 11), false},
        {"eclipse-march-2025", At(2025, 3, 14, 6, 58, 0), false},
        {"blue-moon-august-2023", At(2023, 8, 31, 3, 35, 0), false},
        {"crescent-december-2026", At(2026, 12, 7, 9, 1, 52), false},
        {"long-names-september-2026", At(2026, 9, 28, 23, 59, 59), false},
        // 21:00 in Sydney.
        {"south-december-2026", QDateTime(QDate(2026, 12, 20), QTime(21, 0), QTimeZone(36000)),
         true},
    };
    for (const TState& s : states) {
        TMainHarness h(s.Now, s.South ? SeedSydney() : TSeed());
        TMain& m = *h.Main;
        TTimeEditor& editor = m.Strip().Editor();
        h.Show();
        m.Tick();
        QStringList faults = LayoutFaults(m);
        QVERIFY2(faults.isEmpty(), qPrintable(QString(s.Name) + ": " + faults.join("; ")));
        Save(m, s.Name);

        h.Click(h.Label("lblLibration"));
        m.Tick();
        faults = LayoutFaults(m);
        QVERIFY2(faults.isEmpty(),
                 qPrintable(QString(s.Name) + " librations: " + faults.join("; ")));
        Save(m, QString(s.Name) + "-librations");
        h.Click(h.Label("lblLibration"));

        const char* views[] = {"telescope", "diagonal", "binoculars"};
        for (const char* view : views) {
            h.Click(h.Label("imgOptics"));
            Save(m, QString(s.Name) + "-" + view);
        }

        // The year editor open with a year being typed.
        h.Click(h.Label("lblSelectedYear"));
        QTest::keyClick(&m, Qt::Key_Backspace);
        faults = LayoutFaults(m);
        QVERIFY2(faults.isEmpty(),
                 qPrintable(QString(s.Name) + " year editor: " + faults.join("; ")));
        Save(m, QString(s.Name) + "-year-editor");
        m.Calendar().AcceptYear();

        // The time editor over the clock strip: its fields show the whole time.
        h.Click(h.Label("lblClock"));
        for (QLineEdit* field :
             {Control<QLineEdit>(editor, "txtHour"), Control<QLineEdit>(editor, "txtMinute"),
              Control<QLineEdit>(editor, "txtSecond")}) {
            const int needed = QFontMetrics(field->font()).horizontalAdvance("88");
            QVERIFY2(needed <= field->width() - 2,
                     qPrintable(field->objectName() + QString(" needs %1 px").arg(needed)));
            QVERIFY(field->geometry().bottom() < editor.height());
        }
        Save(m, QString(s.Name) + "-time-editor");
        editor.NowClick();
    }
}

void TMainLayoutTest::AnEveningAtTheTelescope() {
    // 9 March 2025, 21:00 at Flagstaff: a waxing gibbous Moon high in the south-east, the
    // month of the total lunar eclipse of 14 March. Saved as "screenshot.png".
    // The instant as Flagstaff's clock gives it.
    const QDateTime evening(QDate(2025, 3, 9), QTime(21, 0, 0), QTimeZone(-7 * 3600));
    TMainHarness h(evening, SeedFlagstaff());
    TMain& m = *h.Main;
    h.Show();
    m.Tick();
    QCOMPARE(m.PhaseName(), QString("Waxing Gibbous"));
    // 04:00 UT on 10 March 2025 at 111°39' W: about 7h46m of sidereal time.
    QVERIFY2(m.LocalSiderealTime({}, false).startsWith("LST: 07:4"),
             qPrintable(m.LocalSiderealTime({}, false)));
    QVERIFY(!h.Label("imgEclipse")->isHidden());
    const QStringList faults = LayoutFaults(m);
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join("; ")));
    Save(m, "screenshot");
}

void TMainLayoutTest::ClockStripHoldsTheLongestTexts() {
    // The date, time and phase name are centred in the strip's left part (20..402), the
    // sidereal time in its right part (420..620); a separator is painted between them.
    TMainHarness h(At(2026, 9, 28, 23, 59, 59));
    const QFontMetrics metrics(ClockStripFont(FontScale(h.Main)));
    int widest = 0;
    QString worst;
    const QStringList names = {"New Moon",        "Waxing Crescent", "First Quarter",
                               "Waxing Gibbous",  "Waning Gibbous",  "Last Quarter",
                               "Waning Crescent", "Full (Blue) Moon"};
    for (int month = 1; month <= 12; ++month) {
        QStringList shown = names;
        shown << QStringLiteral("Full (%1) Moon").arg(TraditionalFullMoonName(month));
        for (const QString& name : shown) {
            const QString text =
                QStringLiteral("00:00:00  28 %1 2026 - ").arg(CalendarMonthName(month)) + name;
            const int width = metrics.horizontalAdvance(text);
            if (width > widest) {
                widest = width;
                worst = text;
            }
        }
    }
    QVERIFY2(widest <= 382, qPrintable(QStringLiteral("%1: %2 px").arg(worst).arg(widest)));
    QVERIFY(metrics.horizontalAdvance("LST: 00:00:00") <= 200);
}

QTEST_MAIN(TMainLayoutTest)
#include "tmain_layout_test.moc"
