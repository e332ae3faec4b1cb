// SPDX-License-Identifier: GPL-3.0-or-later
// Painted values and entries as a screen reader finds them through Qt's accessibility: the times
// list's cells agree with the main window's rows; spin halves, menu entries and rows press.

#include <QAccessible>
#include <QTest>

#include "tmain_fixture.h"

namespace {

// The readable things below a window's (or a thing's) with the name and caption asked for.
QList<QAccessibleInterface*> Named(QAccessibleInterface* node, const QString& name,
                                   const QString& caption = {}) {
    QList<QAccessibleInterface*> found;
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        if (child->text(QAccessible::Name).startsWith(name) &&
            (caption.isEmpty() || child->text(QAccessible::Description) == caption))
            found << child;
        found << Named(child, name, caption);
    }
    return found;
}

QList<QAccessibleInterface*> Named(QWidget* window, const QString& name,
                                   const QString& caption = {}) {
    return Named(QAccessible::queryAccessibleInterface(window), name, caption);
}

// Presses as a reader does, and the window of that title once it shows (none for "").
QWidget* Pressed(QAccessibleInterface* node, const QString& opens = {}) {
    if (node == nullptr || node->actionInterface() == nullptr) return nullptr;
    node->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCoreApplication::processEvents(); // the press is queued, as a reader's call returns first
    QWidget* window = nullptr;
    (void)QTest::qWaitFor([&] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->isVisible() && w->windowTitle() == opens) window = w;
        return opens.isEmpty() || window != nullptr;
    });
    return window;
}

} // namespace

class TScreenReaderTexts : public QObject {
    Q_OBJECT
  private slots:
    void ListsReadAndChooseAsShown();
};

void TScreenReaderTexts::ListsReadAndChooseAsShown() {
    TMainHarness h(At(2026, 3, 3, 12));
    h.Show();
    // The 3rd's moonrise in the list is the one the main window's rows show for the 3rd.
    QWidget* list =
        Pressed(Named(h.Main, "Display Moon/Sun Rise/Set").value(0), "Rise/Set Times for Month");
    QVERIFY(list);
    const auto rises = Named(list, {}, "Moonrise");
    QCOMPARE(rises.size(), 31);
    const QRect title = Named(h.Main, "Moonrise:").value(0)->rect();
    const auto row = Named(h.Main, rises[2]->text(QAccessible::Name));
    QVERIFY(std::any_of(row.begin(), row.end(),
                        [&](auto* v) { return v->rect().top() == title.top(); }));
    // A half of a spin button, the report menu's entry and a row of the eclipse list, pressed.
    QWidget* options = Pressed(Named(h.Main, "Print Calendar").value(0), "Print Options");
    QVERIFY(options);
    const QString density =
        Named(options, "Daily Phase Density", "").value(0)->text(QAccessible::Value);
    Pressed(Named(options, "Daily Phase Density up").value(0));
    QCOMPARE(Named(options, "Daily Phase Density", "").value(0)->text(QAccessible::Value).toInt(),
             density.toInt() + 1);
    QWidget* menu = Pressed(Named(h.Main, "Display menu showing Report").value(0), "Reports");
    QVERIFY(menu);
    QWidget* report = Pressed(Named(menu, "Find Lunar Eclipses").value(0), "Lunar Eclipses");
    QVERIFY(report);
    Pressed(Named(report, "Calculate").value(0));
    const auto august = Named(report, "Partial");
    QVERIFY(!august.isEmpty() && august[0]->text(QAccessible::Name).contains("August 2026"));
    Pressed(august[0]);
    QTRY_COMPARE(h.Selected().Month, 8);
}

QTEST_MAIN(TScreenReaderTexts)
#include "screen_reader_texts_test.moc"
