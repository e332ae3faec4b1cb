// SPDX-License-Identifier: GPL-3.0-or-later
// The print options: the choices shown from the settings, the density field's rules (digits
// only, at most 100, an invalid text keeps the value, the spin button's bounds), OK storing
// and printing, Escape leaving everything as it was, the print dialog's Cancel keeping the
// stored choice but printing nothing; the window closed while its field has focus.

#include <QCheckBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "print_fixture.h"
#include "ui/settings/print_options.h"
#include "ui/common/printing.h"

namespace {

struct TOptionsHarness : TMainHarness {
    TPrintOptions Options;
    explicit TOptionsHarness(const TSeed& seed = {})
        : TMainHarness(At(2023, 8, 10), seed), Options(*State, Windows->Store(), Main) {}

    [[nodiscard]] std::string Stored(const char* name) {
        const auto key = Windows->Store().OpenKey(SettingsKeyPath, false);
        return key ? Windows->Store().ReadText(*key, name) : std::string("(no key)");
    }
    // The window's controls by the names they carry.
    [[nodiscard]] QCheckBox* Check(const char* name) { return Control<QCheckBox>(Options, name); }
    [[nodiscard]] QLineEdit* Density() { return Control<QLineEdit>(Options, "txtDensity"); }
    void Spin(bool up) {
        QWidget* spin = Options.findChild<QWidget*>("DensitySpinButton");
        QTest::mouseClick(spin, Qt::LeftButton, {}, QPoint(7, up ? 4 : 17));
    }
    void Type(const QString& text) {
        Density()->setFocus();
        Density()->selectAll();
        QTest::keyClick(Density(), Qt::Key_Backspace);
        QTest::keyClicks(Density(), text);
    }
};

} // namespace

class TPrintOptionsTest : public QObject {
    Q_OBJECT
  private slots:
    void ChoicesFromTheSettings();
    void DensityFieldRules();
    void OkStoresAndPrints();
    void EscapeAndCancel();
    void ClosedWhileTheFieldHasFocus();
};

void TPrintOptionsTest::ChoicesFromTheSettings() {
    TOptionsHarness h(Seed({{"PrintMajorPhases", "False"}, {"PhaseDensity", "40"}}));
    h.Options.Open();
    QVERIFY(QTest::qWaitForWindowExposed(&h.Options));
    QCOMPARE(h.Options.size(), QSize(220, 260));
    QVERIFY(h.Check("chkDailyPhases")->isChecked());
    QVERIFY(!h.Check("chkMajorPhases")->isChecked());
    QVERIFY(h.Check("chkMoonTimes")->isChecked() && h.Check("chkSunTimes")->isChecked());
    QCOMPARE(h.Density()->text(), QString("40"));
    QCOMPARE(h.Density()->geometry(), QRect(142, 170, 27, 21));
    QCOMPARE(h.Density()->palette().color(QPalette::Base), QColor(255, 255, 176));
    QCOMPARE(h.Check("chkSunTimes")->geometry(), QRect(30, 130, 13, 13));
    QCOMPARE(h.Options.findChild<QLabel*>("lblOK")->geometry(), QRect(62, 210, 99, 29));
    // Centred over the main window.
    QCOMPARE(h.Options.geometry().center().x() - h.Main->geometry().center().x(), 0);
    // No title bar and no close area: the window is left by OK or Escape.
    QVERIFY(!h.Options.findChild<QLabel*>("lblExit"));
}

void TPrintOptionsTest::DensityFieldRules() {
    TOptionsHarness h;
    h.Options.Open();
    QVERIFY(QTest::qWaitForWindowActive(&h.Options)); // focus moves only in the active window
    QLineEdit* field = h.Density();
    // Digits only, three at most.
    h.Type("4a7b");
    QCOMPARE(field->text(), QString("47"));
    h.Type("1234");
    QCOMPARE(field->text(), QString("123"));
    // Leaving the field: above 100 becomes 100 (150 would give a negative grey), "007" 7.
    h.Type("150");
    QTest::keyClick(field, Qt::Key_Tab);
    QCOMPARE(field->text(), QString("100"));
    h.Type("007");
    h.Check("chkMajorPhases")->setFocus();
    QCOMPARE(field->text(), QString("7"));
    // An empty field keeps the value it had.
    h.Type("");
    h.Check("chkMajorPhases")->setFocus();
    QCOMPARE(field->text(), QString("7"));
    QCOMPARE(DensityFromText("", 33), 33);
    QCOMPARE(DensityFromText("-5", 33), 33);
    QCOMPARE(DensityFromText("100", 33), 100);
    QCOMPARE(DensityFromText("0", 33), 0);
    // The spin button steps within 0..100.
    h.Type("1");
    h.Spin(false);
    QCOMPARE(field->text(), QString("0"));
    h.Spin(false);
    QCOMPARE(field->text(), QString("0"));
    h.Type("99");
    h.Spin(true);
    QCOMPARE(field->text(), QString("100"));
    h.Spin(true);
    QCOMPARE(field->text(), QString("100"));
    h.Type("250"); // a spin from a text above 100 starts at 100
    h.Spin(false);
    QCOMPARE(field->text(), QString("99"));
}

void TPrintOptionsTest::OkStoresAndPrints() {
    TOptionsHarness h;
    QTemporaryDir folder;
    TPdfPrintCapture capture(folder.filePath("calendar.pdf"));
    h.Options.Open();
    h.Check("chkSunTimes")->setChecked(false);
    h.Check("chkDailyPhases")->setChecked(false);
    h.Type("007");
    QTest::mouseClick(h.Options.findChild<QLabel*>("lblOK"), Qt::LeftButton);
    // Stored, applied to this run, printed for the selected month, closed.
    QCOMPARE(h.Stored("PhaseDensity"), std::string("7"));
    QCOMPARE(h.Stored("PrintSunTimes"), std::string("False"));
    QCOMPARE(h.Stored("PrintDailyPhases"), std::string("False"));
    QCOMPARE(h.Stored("PrintLunarTimes"), std::string("True"));
    QCOMPARE(int(h.State->Settings().PhaseDensity), 7);
    QVERIFY(!h.State->Settings().PrintSunTimes);
    QVERIFY(!h.Options.isVisible());
    QCOMPARE(QFileInfo(capture.Suggested.value(0)).fileName(),
             QString("Tidewell calendar August 2023.pdf"));
    const QString text = PdfLayoutText(capture.PdfPath);
    QVERIFY(text.contains("August 2023"));
    QVERIFY(text.contains("MR:"));
    QVERIFY(!text.contains("SR:"));
}

void TPrintOptionsTest::EscapeAndCancel() {
    TOptionsHarness h;
    QTemporaryDir folder;
    {
        TPdfPrintCapture capture(folder.filePath("escape.pdf"));
        h.Options.Open();
        h.Check("chkMoonTimes")->setChecked(false);
        h.Type("12");
        QTest::keyClick(h.Density(), Qt::Key_Escape);
        QVERIFY(!h.Options.isVisible());
        QVERIFY(capture.Suggested.isEmpty());
        QVERIFY(!QFileInfo::exists(capture.PdfPath));
        QCOMPARE(h.Stored("PhaseDensity"), std::string("75"));
        QCOMPARE(h.Stored("PrintLunarTimes"), std::string("True"));
        QVERIFY(h.State->Settings().PrintLunarTimes);
        // Opened again, it shows the stored choice, not the abandoned one.
        h.Options.Open();
        QVERIFY(h.Check("chkMoonTimes")->isChecked());
        QCOMPARE(h.Density()->text(), QString("75"));
    }
    // Cancel in the file dialog: the choice is stored, nothing is printed.
    TPdfPrintCapture cancel(QString{});
    h.Check("chkMoonTimes")->setChecked(false);
    h.Type("30");
    h.Options.OkClick();
    QCOMPARE(cancel.Suggested.size(), 1);
    QCOMPARE(h.Stored("PhaseDensity"), std::string("30"));
    QCOMPARE(h.Stored("PrintLunarTimes"), std::string("False"));
    QVERIFY(!h.Options.isVisible());
}

// Destroyed while its density field holds focus and an edit: the field's focus-out comes when
// the window's own part is gone (the sanitized build catches a call into it).
void TPrintOptionsTest::ClosedWhileTheFieldHasFocus() {
    TMainHarness h(At(2023, 8, 10));
    auto* options = new TPrintOptions(*h.State, h.Windows->Store(), h.Main);
    options->Open();
    QVERIFY(QTest::qWaitForWindowActive(options));
    QLineEdit* density = Control<QLineEdit>(*options, "txtDensity");
    density->setFocus();
    QTest::keyClicks(density, "5");
    QVERIFY(density->hasFocus());
    delete options;
}

QTEST_MAIN(TPrintOptionsTest)
#include "print_options_test.moc"
