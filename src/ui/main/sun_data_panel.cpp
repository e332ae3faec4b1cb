// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/sun_data_panel.h"

#include <QPainter>

#include "engine/almanac_text.h"
#include "ui/common/fonts.h"
#include "ui/common/look.h"
#include "ui/common/panels_draw.h"

namespace {

const QPoint ParamsTopLeft{315, 387};
const char* const SolarCaptions[] = {"Az.:", "Alt.:", "R.A.:", "Dec.:"};

TCoordMode SolarMode(size_t k) {
    return k == 2 ? TCoordMode::Hours : TCoordMode::Degrees;
}

int SolarRowTop(size_t k) {
    return ParamsTopLeft.y() + 3 + 16 * static_cast<int>(k);
}

} // namespace

TSunDataPanel::TSunDataPanel(QWidget* window, const TProgramState& state,
                             const QImage& paramsBackground, double fontScale)
    : TWindowPart(window,
                  {QRect(30, 298, 114, 52), QRect(30, 388, 232, 64), QRect(280, 385, 125, 72)}),
      State(state), ParamsBackground(paramsBackground), FontScale(fontScale) {
    setObjectName("SunData");
    CreateCaptions();
    connect(&State, &TProgramState::Changed, this, [this](TStateChanges what) {
        if (what & (TStateChange::Day | TStateChange::Month | TStateChange::Observer))
            DisplaySolarRiseSetTimes();
    });
    DisplaySolarRiseSetTimes();
}

void TSunDataPanel::CreateCaptions() {
    // Fixed captions on the light strip.
    const QFont bold = PixelFont(ArialFamily, 12, true);
    const std::pair<const char*, QPoint> fixed[] = {
        {"Sunrise:", {32, 300}},  {"Transit:", {32, 316}},      {"Sunset:", {32, 332}},
        {"Start", {130, 390}},    {"End", {212, 390}},          {"Civil:", {32, 404}},
        {"Nautical:", {32, 420}}, {"Astronomical:", {32, 436}},
    };
    int n = 0;
    for (const auto& [text, at] : fixed) {
        TClickLabel* label =
            AddLabel(QStringLiteral("lblFixed%1").arg(n++), {at, QSize(90, 14)}, bold, FrameText);
        label->setText(text);
        label->adjustSize();
    }
    const QFont value = PixelFont(ArialFamily, 12);
    const char* sunNames[] = {"lblSunRise", "lblSunTransit", "lblSunSet"};
    const char* startNames[] = {"lblCivilStart", "lblNauticalStart", "lblAstroStart"};
    const char* endNames[] = {"lblCivilEnd", "lblNauticalEnd", "lblAstroEnd"};
    for (size_t k = 0; k < 3; ++k) {
        const int row = 16 * static_cast<int>(k);
        SunTimes[k] = AddLabel(sunNames[k], {94, 300 + row, 48, 14}, value, PanelText);
        TwilightStarts[k] = AddLabel(startNames[k], {130, 406 + row, 48, 14}, value, PanelText);
        TwilightEnds[k] = AddLabel(endNames[k], {212, 406 + row, 48, 14}, value, PanelText);
    }
    const QFont caption = PixelFont(ArialFamily, 12);
    for (int k = 0; k < 4; ++k)
        AddLabel(QStringLiteral("lblSolar%1").arg(k), {284, 390 + 16 * k, 30, 14}, caption,
                 Qt::white)
            ->setText(SolarCaptions[k]);
}

void TSunDataPanel::DisplaySolarRiseSetTimes() {
    // The Sun's times in the order of SunAltitudes: the upper limb, then the three twilights.
    const std::array<TRiseSetTimes, 4>& sun = State.Day().RiseSet.Sun;
    SunTimes[0]->setText(Q(EventTimeText(sun[0].Rise)));
    SunTimes[1]->setText(Q(EventTimeText(sun[0].Transit)));
    SunTimes[2]->setText(Q(EventTimeText(sun[0].Set)));
    for (size_t k = 0; k < 3; ++k) {
        TwilightStarts[k]->setText(Q(EventTimeText(sun[k + 1].Rise)));
        TwilightEnds[k]->setText(Q(EventTimeText(sun[k + 1].Set)));
    }
}

void TSunDataPanel::ShowMoment(const TSunData& s) {
    Values = {HoursToSexagesimal(s.Azimuth), HoursToSexagesimal(s.Altitude),
              RightAscensionText(s.Equatorial.RADeg), HoursToSexagesimal(s.Equatorial.DecDeg)};
    Valid = true;
    update();
}

void TSunDataPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(ParamsTopLeft, ParamsBackground);
    if (!Valid) return;
    painter.setFont(ScaledFont(ArialFamily, 9, FontScale));
    painter.setPen(PanelText);
    const int x = ParamsTopLeft.x();
    for (size_t k = 0; k < Values.size(); ++k)
        DisplayCoord(painter, x + 10, SolarMode(k), Values[k], SolarRowTop(k), x + 62, x + 34);
}

QList<TShownText> TSunDataPanel::ShownTexts() {
    QList<TShownText> texts;
    if (!Valid) return texts;
    for (size_t k = 0; k < Values.size(); ++k)
        texts.append({QRect(ParamsTopLeft.x(), SolarRowTop(k), 90, 14),
                      CoordText(SolarMode(k), Values[k]), QString::fromLatin1(SolarCaptions[k])});
    return texts;
}
