#include "ui/common/page_frame.h"

#include <cmath>

#include <QFont>
#include <QPainter>

#include "engine/regional_names.h"
#include "settings/settings.h"
#include "ui/common/fonts.h"
#include "ui/common/look.h"
#include "ui/common/panels_draw.h"
#include "ui/common/program_info.h"

namespace {

constexpr int LocationLineMaxChars = 90;
constexpr int TitleTopAt300 = 40;

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

QString LocationLine(const TSettings& s) {
    const QString line = Q(s.Location) + QStringLiteral("     Latitude: ") + Q(s.LatDeg) +
                         QStringLiteral("° ") + Q(s.LatMin) + QStringLiteral("' ") + Q(s.LatSec) +
                         QStringLiteral("\" ") + Q(s.LatDir) + QStringLiteral(",   Longitude: ") +
                         Q(s.LongDeg) + QStringLiteral("° ") + Q(s.LongMin) + QStringLiteral("' ") +
                         Q(s.LongSec) + QStringLiteral("\" ") + Q(s.LongDir);
    return line.left(LocationLineMaxChars).trimmed();
}

void DrawPageHeader(QPainter& painter, TPageMetrics& page, const TSettings& settings, int month,
                    int year) {
    painter.save();
    painter.setFont(PageFont(TimesFamily, 7));
    page.Fh = 2 * painter.fontMetrics().height();

    painter.setPen(QPen(Qt::black, page.Px(1)));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, (page.PW / 7) * 7, page.PH - page.Fh);

    const QString title = QStringLiteral("%1 %2").arg(Q(LongMonthName(month))).arg(year);
    painter.setFont(PageFont(TimesFamily, 24, true));
    page.Hh = 3 * painter.fontMetrics().height();
    DrawTextAt(painter, (page.PW - painter.fontMetrics().horizontalAdvance(title)) / 2,
               page.Px(TitleTopAt300), title);

    const QString location = LocationLine(settings);
    painter.setFont(PageFont(TimesFamily, 14, true));
    DrawTextAt(painter, (page.PW - painter.fontMetrics().horizontalAdvance(location)) / 2,
               static_cast<int>(std::trunc(4.0 * page.Hh / 7.0)), location);
    painter.restore();
}

void DrawPageFooter(QPainter& painter, const TPageMetrics& page) {
    painter.save();
    painter.setPen(Qt::black);
    painter.setFont(PageFont(TimesFamily, 7, false, true));
    const QString text = PageFooterText();
    DrawTextAt(painter, (page.PW - painter.fontMetrics().horizontalAdvance(text)) / 2,
               page.PH - static_cast<int>(std::trunc(0.75 * page.Fh)), text);
    painter.restore();
}
