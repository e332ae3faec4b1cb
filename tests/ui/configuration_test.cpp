// SPDX-License-Identifier: GPL-3.0-or-later
// The configuration window on a temporary store: named locations added, recalled, updated in
// place and renamed (never onto another location, the old one deleted only after the new one
// is stored), deleted, refused names and positions; closing stores the value texts the user
// changed, over what another copy stored meanwhile, and the program follows at once.

#include <QAbstractItemView>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "settings/named_location.h"
#include "tmain_fixture.h"
#include "ui/settings/configuration.h"

namespace {

struct TConfigHarness : TMainHarness {
    TConfiguration& Config;
    TConfigHarness() : TMainHarness(At(2024, 5, 14)), Config(Windows->Configuration()) {
        Config.Open();
    }
    void Type(QLineEdit* edit, const QString& text) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
    void Name(const QString& text) { Control<QComboBox>(Config, "cmbLocation")->setEditText(text); }
    void ClickOn(const char* name) {
        QTest::mouseClick(Config.findChild<QWidget*>(name), Qt::LeftButton, {}, {5, 5});
    }
    void Position(const char* latDeg, const char* longDeg, int zone) {
        Type(Control<QLineEdit>(Config, "txtLatDeg"), latDeg);
        Type(Control<QLineEdit>(Config, "txtLongDeg"), longDeg);
        Control<QComboBox>(Config, "cmbTimeZone")->setCurrentIndex(zone);
    }
    std::vector<std::string> Stored() {
        const auto user = Windows->Store().OpenKey(UserKeyPath, false);
        return user ? Windows->Store().ListSubKeys(*user) : std::vector<std::string>{};
    }
    std::string Latitude(const char* name) {
        const auto location = ReadNamedLocation(Windows->Store(), name);
        return location ? location->Latitude : std::string("(none)");
    }
    std::string Setting(const char* name) {
        const auto key = Windows->Store().OpenKey(SettingsKeyPath, false);
        return key ? Windows->Store().ReadText(*key, name) : std::string("(no key)");
    }
};

using TNames = std::vector<std::string>;

} // namespace

class TConfigurationTest : public QObject {
    Q_OBJECT
  private slots:
    void NamedLocationsKeepWhatWasConfirmed() {
        TConfigHarness h;
        QCOMPARE(h.Stored(), TNames{"Home Location"});
        h.Name("  Hilltop ");
        h.Position("51", "1", 26);
        h.Config.AddClick();
        QCOMPARE(h.Messages.Texts.last(), QStringLiteral("\"Hilltop\" Location Added."));
        QCOMPARE(h.Latitude("Hilltop").substr(0, 2), std::string("51"));
        QCOMPARE(h.Config.LastRecalled(), QStringLiteral("Hilltop"));

        // Adding a name already stored, whatever its case: nothing written, the user told.
        h.Name("hilltop");
        h.Type(Control<QLineEdit>(h.Config, "txtLatDeg"), "10");
        h.Config.AddClick();
        QCOMPARE(h.Messages.Texts.last(), QStringLiteral("\"Hilltop\" Location already exists."));
        QCOMPARE(h.Latitude("Hilltop").substr(0, 2), std::string("51"));

        h.Name("Seaside");
        h.Position("40", "3", 24);
        h.Config.AddClick();
        QCOMPARE(h.Stored(), (TNames{"Hilltop", "Home Location", "Seaside"}));

        // Recall Hilltop and rename it onto Seaside: refused, both kept as they were.
        h.Config.Recall(QStringLiteral("Hilltop"));
        QCOMPARE(Control<QLineEdit>(h.Config, "txtLatDeg")->text(), QStringLiteral("51"));
        QCOMPARE(Control<QComboBox>(h.Config, "cmbTimeZone")->currentIndex(), 26);
        // A location whose position no observer can have leaves the position shown.
        QVERIFY(WriteNamedLocation(h.Windows->Store(), "Broken",
                                   {"9x0000 South", "0000000 East", "30", "False", ""}, true));
        h.Config.Recall(QStringLiteral("Broken"));
        QCOMPARE(Control<QLineEdit>(h.Config, "txtLatDeg")->text() +
                     Control<QLabel>(h.Config, "pNSDirection")->text(),
                 QString("51North"));
        QCOMPARE(Control<QComboBox>(h.Config, "cmbTimeZone")->currentIndex(), 30);
        (void)h.Windows->Store().DeleteKey(LocationKeyPath("Broken"));
        h.Config.Recall(QStringLiteral("Hilltop"));
        h.Name("Seaside");
        h.Config.UpdateClick();
        QVERIFY(h.Messages.Texts.last().contains(QStringLiteral("already exists")));
        QCOMPARE(h.Stored(), (TNames{"Hilltop", "Home Location", "Seaside"}));
        QCOMPARE(h.Latitude("Seaside").substr(0, 2), std::string("40"));

        // An emptied name writes nothing (not into the user key itself).
        h.Name("   ");
        h.Config.UpdateClick();
        QVERIFY(h.Messages.Texts.last().startsWith(QStringLiteral("You must enter")));
        QVERIFY(!ReadNamedLocation(h.Windows->Store(), "").has_value() ||
                ReadNamedLocation(h.Windows->Store(), "")->Latitude.empty());

        // Update under the same name overwrites; under a new name moves the location.
        h.Name("Hilltop");
        h.Type(Control<QLineEdit>(h.Config, "txtLatDeg"), "52");
        h.Config.UpdateClick();
        QCOMPARE(h.Latitude("Hilltop").substr(0, 2), std::string("52"));
        h.Name("Ridge");
        h.Config.UpdateClick();
        QCOMPARE(h.Messages.Texts.last(), QStringLiteral("\"Ridge\" Location Updated."));
        QCOMPARE(h.Stored(), (TNames{"Home Location", "Ridge", "Seaside"}));
        QCOMPARE(h.Latitude("Ridge").substr(0, 2), std::string("52"));

        // Delete, then delete a name that is not there.
        h.Name("Seaside");
        h.Config.DeleteClick();
        QCOMPARE(h.Messages.Texts.last(), QStringLiteral("\"Seaside\" Location Deleted."));
        h.Name("Seaside");
        h.Config.DeleteClick();
        QCOMPARE(h.Messages.Texts.last(), QStringLiteral("\"Seaside\" Location not found."));
        QCOMPARE(h.Stored(), (TNames{"Home Location", "Ridge"}));
    }

    void RefusedNamesAndPositions() {
        TConfigHarness h;
        const TNames before = h.Stored();
        h.Name("Top\\Field");
        h.Config.AddClick();
        QVERIFY(h.Messages.Texts.last().contains(QStringLiteral("\\")));
        h.Name(QString(65, QLatin1Char('x')));
        h.Config.AddClick();
        QVERIFY(h.Messages.Texts.last().contains(QStringLiteral("64")));
        h.Name(QString(64, QLatin1Char('y')));
        h.Config.AddClick();
        QCOMPARE(h.Stored().size(), before.size() + 1);

        // Out-of-range numbers: a message naming the field; nothing stored or applied.
        const int count = h.Messages.Texts.size();
        h.Name("Home Location");
        h.Config.Recall(QStringLiteral("Home Location"));
        h.Type(Control<QLineEdit>(h.Config, "txtLatDeg"), "99");
        QVERIFY(!h.Config.StoreAndClose());
        QVERIFY(h.Messages.Texts.last().startsWith(QStringLiteral("Latitude")));
        h.Type(Control<QLineEdit>(h.Config, "txtLatDeg"), "45");
        h.Type(Control<QLineEdit>(h.Config, "txtLatMin"), "75");
        QVERIFY(!h.Config.StoreAndClose());
        QVERIFY(h.Messages.Texts.last().startsWith(QStringLiteral("Latitude minutes")));
        h.Type(Control<QLineEdit>(h.Config, "txtLatMin"), "00");
        h.Type(Control<QLineEdit>(h.Config, "txtLongDeg"), "181");
        QVERIFY(!h.Config.StoreAndClose());
        QVERIFY(h.Messages.Texts.last().startsWith(QStringLiteral("Longitude")));
        QCOMPARE(h.Messages.Texts.size(), count + 3);

        // Letters never enter a position edit, typed or pasted.
        h.Type(Control<QLineEdit>(h.Config, "txtLongSec"), "4x");
        QCOMPARE(Control<QLineEdit>(h.Config, "txtLongSec")->text(), QStringLiteral("4"));
        Control<QLineEdit>(h.Config, "txtLongSec")->selectAll();
        Control<QLineEdit>(h.Config, "txtLongSec")->insert(QStringLiteral("ab"));
        QVERIFY(!Control<QLineEdit>(h.Config, "txtLongSec")->text().contains(QLatin1Char('a')));
    }

    void TimeServerCheckedAndStored() {
        TConfigHarness h;
        h.Name("Home Location");
        h.Config.Recall(QStringLiteral("Home Location"));
        const QPoint field(380, 237); // the user's click on the field, then typing
        QWidget* target = h.Config.childAt(field);
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&h.Config, field));
        auto* edit = qobject_cast<QLineEdit*>(h.Config.focusWidget());
        QVERIFY(edit);
        QCOMPARE(edit->text(), QStringLiteral("daytime://time.nist.gov"));
        for (const QString& bad : {QStringLiteral("daytime://time.nist.gov:70000"),
                                   QStringLiteral("daytime://time.nist.gov ")}) {
            h.Type(edit, bad);
            QVERIFY(!h.Config.StoreAndClose());
            QVERIFY2(h.Messages.Texts.last().startsWith("The time server \"" + bad + "\" is not"),
                     qPrintable(h.Messages.Texts.last()));
            QCOMPARE(h.Setting("TimeServer"), std::string("daytime://time.nist.gov"));
        }
        h.Type(edit, QStringLiteral("http://127.0.0.1:8013/now"));
        QVERIFY(h.Config.StoreAndClose());
        QCOMPARE(h.Setting("TimeServer"), std::string("http://127.0.0.1:8013/now"));
    }

    void RecalledZoneOutsideTheListKeepsTheShownOne() {
        TConfigHarness h;
        QVERIFY(WriteNamedLocation(h.Windows->Store(), "Odd",
                                   {"100000 North", "0200000 East", "77", "True", ""}, true));
        Control<QComboBox>(h.Config, "cmbTimeZone")->setCurrentIndex(30);
        h.Config.Recall(QStringLiteral("Odd"));
        QCOMPARE(Control<QComboBox>(h.Config, "cmbTimeZone")->currentIndex(), 30);
        QVERIFY(Control<QCheckBox>(h.Config, "chkDaylightSavings")->isChecked());
        QCOMPARE(Control<QLineEdit>(h.Config, "txtLongDeg")->text(), QStringLiteral("020"));
    }

    void ClosingStoresAndTheProgramFollows() {
        TConfigHarness h;
        h.Config.CancelClick();
        QVERIFY(!h.Config.StoreAndClose());
        QCOMPARE(
            h.Messages.Texts.last(),
            QStringLiteral("You must select a location before you can exit form this screen."));

        h.Name("Home Location");
        h.Config.Recall(QStringLiteral("Home Location"));
        h.Type(Control<QLineEdit>(h.Config, "txtLatDeg"), "5");
        h.Type(Control<QLineEdit>(h.Config, "txtLatMin"), "");
        h.ClickOn("NSSpinButton");                                        // North turns South
        Control<QComboBox>(h.Config, "cmbTimeZone")->setCurrentIndex(44); // GMT + 10:00
        Control<QCheckBox>(h.Config, "chkDaylightSavings")->setChecked(false);
        Control<QComboBox>(h.Config, "cmbDayOrder")->setCurrentIndex(1);
        Control<QComboBox>(h.Config, "cmbDateFormat")->setCurrentIndex(1);
        Control<QComboBox>(h.Config, "cmbDataFiles")
            ->setCurrentIndex(-1); // nothing selected: the old value stays
        h.ClickOn("lblColourInkjet");
        const std::string featureBefore = h.Setting("FeatureIdx");
        QVERIFY(h.Config.StoreAndClose());
        QVERIFY(!h.Config.isVisible());
        QCOMPARE(h.Setting("LatDeg"), std::string("05"));
        QCOMPARE(h.Setting("LatMin"), std::string("00"));
        QCOMPARE(h.Setting("LatDir"), std::string("South"));
        QCOMPARE(h.Setting("TimeZone"), std::string("44"));
        QCOMPARE(h.Setting("DaylightSavings"), std::string("False"));
        QCOMPARE(h.Setting("DayOrder"), std::string("1"));
        QCOMPARE(h.Setting("DateFormat"), std::string("mm/dd/yyyy"));
        QCOMPARE(h.Setting("PrinterType"), std::string("Colour Inkjet"));
        QCOMPARE(h.Setting("Location"), std::string("Home Location"));
        QCOMPARE(h.Setting("FeatureIdx"), featureBefore);
        // The program follows at once: ten hours east of Greenwich, southern hemisphere,
        // Monday first.
        QVERIFY(h.State->Observer().Zone == TObserverZone::Fixed(600, 0));
        QVERIFY(h.State->Southern());
        QCOMPARE(h.State->DayOrder(), 1);
    }

    void NamedZonesFoundByTypingStoredAndRefused() {
        TConfigHarness h; // 14 May 2024: daylight saving in New York, not in Sydney
        auto* zones = Control<QComboBox>(h.Config, "cmbTimeZone");
        auto* dst = Control<QCheckBox>(h.Config, "chkDaylightSavings");
        dst->setChecked(true); // the user's choice for a fixed offset
        zones->lineEdit()->selectAll();
        QTest::keyClicks(zones->lineEdit(), "syd");
        QTest::keyClick(zones->completer()->popup(), Qt::Key_Down);
        QTest::keyClick(zones->completer()->popup(), Qt::Key_Return);
        QCOMPARE(zones->currentText(), QStringLiteral("Australia/Sydney"));
        QVERIFY(!dst->isEnabled() && !dst->isChecked());
        zones->setEditText(QStringLiteral("America/New_York"));
        QVERIFY(!dst->isEnabled() && dst->isChecked());
        zones->setCurrentIndex(44); // a fixed offset again: the box as the user left it
        QVERIFY(dst->isEnabled() && dst->isChecked());
        // A location keeps its zone; recalling it brings the zone back.
        zones->setEditText(QStringLiteral("australia/sydney"));
        h.Name("Manly");
        h.Config.AddClick();
        zones->setCurrentIndex(GreenwichZone);
        h.Config.Recall(QStringLiteral("Manly"));
        QCOMPARE(zones->currentText(), QStringLiteral("Australia/Sydney"));
        for (const QString& bad : {QStringLiteral("Mars/Olympus"), QStringLiteral("Europe/Lon don"),
                                   QString(65, QLatin1Char('A'))}) {
            zones->setEditText(bad);
            QVERIFY(!h.Config.StoreAndClose());
            QVERIFY2(h.Messages.Texts.last().contains(bad), qPrintable(h.Messages.Texts.last()));
        }
        zones->setEditText(QStringLiteral("Asia/Kathmandu"));
        QVERIFY(h.Config.StoreAndClose());
        QCOMPARE(h.Setting("TimeZoneName"), std::string("Asia/Kathmandu"));
    }

    void ClosingKeepsWhatAnotherCopyStored() {
        // A second program on the same store opens its configuration, then the first stores
        // a latitude; the second's close stores its own change and leaves the latitude.
        TConfigHarness first;
        TWindowSet second(
            TWindowSetup{first.Folder.filePath("settings.db"), [&first] { return first.Now; }});
        second.Configuration().Open();
        first.Type(Control<QLineEdit>(first.Config, "txtLatDeg"), "47");
        QVERIFY(first.Config.StoreAndClose());
        Control<QComboBox>(second.Configuration(), "cmbDayOrder")->setCurrentIndex(3);
        QVERIFY(second.Configuration().StoreAndClose());
        QCOMPARE(first.Setting("LatDeg"), std::string("47"));
        QCOMPARE(first.Setting("DayOrder"), std::string("3"));
        QCOMPARE(second.State().Settings().Position.Latitude.Deg, 47);
    }

    void DesktopCloseChecksAndStoresAsTheGlyph() {
        TConfigHarness h;
        for (const char* latitude : {"99", "47"}) { // refused, then stored
            h.Type(Control<QLineEdit>(h.Config, "txtLatDeg"), latitude);
            QCloseEvent close; // as the window manager asks (Alt+F4)
            QCoreApplication::sendEvent(h.Config.windowHandle(), &close);
            QCoreApplication::processEvents();
        }
        QVERIFY(!h.Messages.Texts.isEmpty() && h.Messages.Texts.last().startsWith("Latitude"));
        QVERIFY(!h.Config.isVisible());
        QCOMPARE(h.Setting("LatDeg"), std::string("47"));
    }
};

QTEST_MAIN(TConfigurationTest)
#include "configuration_test.moc"
