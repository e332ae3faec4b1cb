// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/settings/zone_list.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QLineEdit>

namespace {

// Wide enough for "America/Argentina/ComodRivadavia" in the drop-down and the search list.
constexpr int ZonePopupWidth = 230;
constexpr int LongestZoneText = 64;

QString Q8(const std::string& text) {
    return QString::fromStdString(text);
}

void Widen(QAbstractItemView& view, const QPalette& palette) {
    view.setMinimumWidth(ZonePopupWidth);
    view.setPalette(palette);
}

} // namespace

QString TimeZoneText(int index) {
    const int minutes = (index - GreenwichZone) * 30;
    if (minutes == 0) return QStringLiteral("GMT");
    const int size = std::abs(minutes);
    return QStringLiteral("GMT %1 %2:%3")
        .arg(minutes < 0 ? QLatin1Char('-') : QLatin1Char('+'))
        .arg(size / 60, 2, 10, QLatin1Char('0'))
        .arg(size % 60, 2, 10, QLatin1Char('0'));
}

void SetUpZoneList(QComboBox& list) {
    for (int zone = 0; zone < FixedZoneCount; ++zone)
        list.addItem(TimeZoneText(zone));
    for (const std::string& name : NamedZoneNames())
        list.addItem(Q8(name));
    list.setEditable(true);
    list.setInsertPolicy(QComboBox::NoInsert);
    list.lineEdit()->setMaxLength(LongestZoneText + 1); // one over: refused, not cut
    auto* search = new QCompleter(list.model(), &list);
    search->setFilterMode(Qt::MatchContains);
    search->setCaseSensitivity(Qt::CaseInsensitive);
    search->setCompletionMode(QCompleter::PopupCompletion);
    search->setMaxVisibleItems(12);
    list.setCompleter(search);
    Widen(*list.view(), list.palette());
    Widen(*search->popup(), list.palette());
    search->popup()->setFont(list.font());
}

TZoneSelection SelectedZone(const QComboBox& list) {
    TZoneSelection selection;
    selection.Text = list.currentText().trimmed();
    const int index = list.findText(selection.Text, Qt::MatchFixedString);
    if (index >= 0 && index < FixedZoneCount) {
        selection.FixedIndex = index;
        return selection;
    }
    // A name typed in another case is the listed one ("europe/london").
    const std::string name = (index >= 0 ? list.itemText(index) : selection.Text).toStdString();
    TNamedZoneLookup found = LookUpNamedZone(name);
    selection.Named = std::move(found.Zone);
    selection.Error = found.Error;
    return selection;
}

void ShowZone(QComboBox& list, int fixedIndex, const std::string& zoneName) {
    const int named = zoneName.empty()
                          ? -1
                          : list.findText(Q8(zoneName), Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (named >= FixedZoneCount)
        list.setCurrentIndex(named);
    else if (fixedIndex >= 0 && fixedIndex < FixedZoneCount)
        list.setCurrentIndex(fixedIndex);
}

QString ZoneProblem(const TZoneSelection& selection) {
    if (selection.Error == TZoneError::MalformedName)
        return QStringLiteral("\"%1\" is not a time zone name: use at most %2 letters, digits "
                              "and . - + _ in parts joined by /, as in Europe/London.")
            .arg(selection.Text)
            .arg(LongestZoneText);
    return Q8(ZoneErrorMessage(selection.Error, selection.Text.toStdString()));
}
