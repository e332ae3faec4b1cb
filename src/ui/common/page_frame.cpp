// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/common/page_frame.h"

#include <algorithm>
#include <cmath>

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

#include "engine/date_time.h"
#include "engine/regional_names.h"
#include "settings/settings.h"
#include "settings/settings_zone.h"
#include "ui/common/fonts.h"
#include "ui/common/look.h"
#include "ui/common/panels_draw.h"
#include "ui/common/program_info.h"
#include "ui/common/zone_caption.h"

namespace {

constexpr int TitleTopAt300 = 40;
constexpr int LocationPoints = 14;
// A location line too wide at its size is set smaller, down to this.
constexpr int SmallestLocationPoints = 6;
// The share of the frame's width, in thousandths, the location line may take, centred.
constexpr int LocationLineWidthK = 800;

// The location line's font: bold Times at its size, or the largest smaller size at which
// the line fits within width.
QFont LocationFont(QPainter& painter, const QString& line, int width) {
    QFont font = PageFont(TimesFamily, LocationPoints, true);
    for (int points = LocationPoints; points > SmallestLocationPoints; --points) {
        font.setPointSize(points);
        if (QFontMetrics(font, painter.device()).horizontalAdvance(line) <= width) break;
    }
    return font;
}

// The text centred in the frame at y, never starting left of it.
void DrawCentred(QPainter& painter, const TPageMetrics& page, int y, const QString& text) {
    const int advance = painter.fontMetrics().horizontalAdvance(text);
    DrawTextAt(painter, std::max(0, (FrameWidth(page) - advance) / 2), y, text);
}

// "40° 30' 00\" North".
QString AxisText(const TDegMinSec& angle, int degDigits, std::string_view side) {
    return Q(AnglePartText(angle.Deg, degDigits)) + QStringLiteral("° ") +
           Q(AnglePartText(angle.Min, ArcMinSecDigits)) + QStringLiteral("' ") +
           Q(AnglePartText(angle.Sec, ArcMinSecDigits)) + QStringLiteral("\" ") +
           Q(std::string(side));
}

} // namespace

QFont PageFont(const QString& family, int points, bool bold, bool italic) {
    QFont font(family, points, bold ? QFont::Bold : QFont::Normal, italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

QString PageFooterText() {
    QString text = QStringLiteral("Printed by ") + ProgramVersionCaption;
    if (!HomePageAddress.isEmpty()) text += QStringLiteral(" (") + HomePageAddress + ')';
    return text;
}

QString LocationLine(const TSettings& s, double fromLocalJD, double toLocalJD) {
    const TPosition& p = s.Position;
    const TObserverZone zone = SettingsZone(s);
    const QString place =
        zone.IsNamed()
            ? ZoneCaption(s, zone, zone.LocalToUT(fromLocalJD, TLocalChoice::Earliest).JD,
                          zone.LocalToUT(toLocalJD, TLocalChoice::Earliest).JD)
            : Q(s.Location);
    const QString line =
        place + QStringLiteral("     Latitude: ") +
        AxisText(p.Latitude, LatitudeDegDigits, HemisphereWord(p.LatitudeSide)) +
        QStringLiteral(",   Longitude: ") +
        AxisText(p.Longitude, LongitudeDegDigits, LongitudeSideWord(p.LongitudeSide));
    return line.trimmed();
}

int FrameWidth(const TPageMetrics& page) {
    return (page.PW / 7) * 7;
}

void DrawTitledPageHeader(QPainter& painter, TPageMetrics& page, const TSettings& settings,
                          const QString& title, double fromLocalJD, double toLocalJD) {
    painter.save();
    painter.setFont(PageFont(TimesFamily, 7));
    page.Fh = 2 * painter.fontMetrics().height();

    painter.setPen(QPen(Qt::black, page.Px(1)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, FrameWidth(page), page.PH - page.Fh);

    painter.setFont(PageFont(TimesFamily, 24, true));
    page.Hh = 3 * painter.fontMetrics().height();
    DrawCentred(painter, page, page.Px(TitleTopAt300), title);

    const QString location = LocationLine(settings, fromLocalJD, toLocalJD);
    const int widest = FrameWidth(page) * LocationLineWidthK / 1000;
    painter.setFont(LocationFont(painter, location, widest));
    const QString shown = painter.fontMetrics().elidedText(location, Qt::ElideMiddle, widest);
    DrawCentred(painter, page, static_cast<int>(std::trunc(4.0 * page.Hh / 7.0)), shown);
    painter.restore();
}

void DrawPageHeader(QPainter& painter, TPageMetrics& page, const TSettings& settings, int month,
                    int year) {
    const double first = JulianDayOf(year, month, 1);
    DrawTitledPageHeader(painter, page, settings,
                         QStringLiteral("%1 %2").arg(Q(LongMonthName(month))).arg(year), first,
                         first + DaysInMonth(month, year));
}

void DrawPageFooter(QPainter& painter, const TPageMetrics& page) {
    painter.save();
    painter.setPen(Qt::black);
    painter.setFont(PageFont(TimesFamily, 7, false, true));
    DrawCentred(painter, page, page.PH - static_cast<int>(std::trunc(0.75 * page.Fh)),
                PageFooterText());
    painter.restore();
}
