// SPDX-License-Identifier: GPL-3.0-or-later
// For every zone, at instants over 1900..2200 and around each change of 2020..2060 (past the
// zoneinfo files' last transition), the engine and QTimeZone give the same offset, abbreviation
// and daylight-saving flag. Qt 6.4 loses a few changes of the flag alone (Paris 1945, Argentina
// 1999-2000; the tz database and Python's zoneinfo keep them): the flag is compared from 2001.

#include <QDateTime>
#include <QTest>
#include <QTimeZone>

#include "engine/observer_zone.h"

namespace {

constexpr qint64 FlagComparedFrom = 978307200LL; // 2001-01-01

QList<qint64> InstantsFor(const QTimeZone& zone) {
    QList<qint64> instants;
    for (int i = 0; i < 240; ++i) // from 1900, every 15 months less a little: hours differ
        instants.append(-2208988800LL + i * 39447191LL);
    const QDateTime from(QDate(2020, 1, 1), QTime(0, 0), Qt::UTC);
    for (const QTimeZone::OffsetData& change : zone.transitions(from, from.addYears(40)))
        instants.append({change.atUtc.toSecsSinceEpoch() - 1, change.atUtc.toSecsSinceEpoch()});
    return instants;
}

// "zone at instant: engine ..., QTimeZone ..." when they differ, else empty.
QString Disagreement(const QString& name, const TObserverZone& ours, const QTimeZone& theirs,
                     qint64 second) {
    const TZoneState state = ours.StateAt(2440587.5 + second / 86400.0);
    const QDateTime at = QDateTime::fromSecsSinceEpoch(second, Qt::UTC);
    const int offset = theirs.offsetFromUtc(at);
    const bool daylight =
        second >= FlagComparedFrom ? theirs.isDaylightTime(at) : state.IsDaylightSaving;
    const QString abbreviation = theirs.abbreviation(at);
    if (state.OffsetSeconds == offset && state.IsDaylightSaving == daylight &&
        QString::fromStdString(state.Abbreviation) == abbreviation)
        return {};
    return QString("%1 at %2: engine %3 s %4 %5, QTimeZone %6 s %7 %8")
        .arg(name, at.toString(Qt::ISODate))
        .arg(state.OffsetSeconds)
        .arg(state.IsDaylightSaving ? "DST" : "std", QString::fromStdString(state.Abbreviation))
        .arg(offset)
        .arg(daylight ? "DST" : "std", abbreviation);
}

} // namespace

class ZoneOffsetsTest : public QObject {
    Q_OBJECT

  private slots:
    void everyZoneAgreesWithQTimeZone() {
        const std::vector<std::string> names = NamedZoneNames();
        QVERIFY2(names.size() > 300, "the tz database lists its zones");
        QStringList faults;
        for (const std::string& name : names) {
            const TNamedZoneLookup ours = LookUpNamedZone(name);
            const QTimeZone theirs(name.c_str());
            if (!ours.Zone || !theirs.isValid())
                faults.append(QString::fromStdString(name) + ": cannot be opened");
            else
                for (const qint64 second : InstantsFor(theirs))
                    faults.append(
                        Disagreement(QString::fromStdString(name), *ours.Zone, theirs, second));
        }
        faults.removeAll(QString());
        QVERIFY2(faults.isEmpty(), qPrintable(faults.mid(0, 8).join('\n')));
    }
};

QTEST_GUILESS_MAIN(ZoneOffsetsTest)
#include "zone_offsets_test.moc"
