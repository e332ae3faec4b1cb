// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main/phase_list_panel.h"

#include "engine/almanac_text.h"
#include "ui/common/fonts.h"
#include "ui/common/look.h"
#include "ui/main/moon_drawing.h"

namespace {

constexpr int BluePictureIndex = 4;

} // namespace

TPhaseListPanel::TPhaseListPanel(QWidget* window, TProgramState& state, const TPictures& pictures)
    : TWindowPart(window, {QRect(424, 76, 196, 162)}), State(state), Pictures(pictures),
      Turned(pictures) {
    InvertPhaseIcons(Turned);
    setObjectName("PhaseList");
    Shown.fill(-1);
    const QFont font = PixelFont(ArialFamily, 12);
    for (int k = 0; k < MaxMonthPhases; ++k) {
        const auto i = static_cast<size_t>(k);
        Captions[i] = AddLabel(QStringLiteral("lblPhase%1").arg(k + 1), {466, 88 + 32 * k, 150, 14},
                               font, Aqua);
        Images[i] = AddLabel(QStringLiteral("imgPhase%1").arg(k + 1), {426, 78 + 32 * k, 30, 30},
                             font, Aqua);
        for (TClickLabel* clickable : {Captions[i], Images[i]})
            connect(clickable, &TClickLabel::Clicked, this,
                    [this, k](Qt::MouseButton, QPoint) { SelectMajorPhaseDate(k); });
    }
    connect(&State, &TProgramState::Changed, this, [this](TStateChanges what) {
        if (what & (TStateChange::Month | TStateChange::Observer | TStateChange::Settings))
            DisplayPhaseTimes();
    });
    DisplayPhaseTimes();
}

void TPhaseListPanel::DisplayPhaseTimes() {
    const TMonthData& month = State.Month();
    for (int k = 0; k < MaxMonthPhases; ++k) {
        const auto i = static_cast<size_t>(k);
        const bool shown = k < month.PhaseCount;
        Captions[i]->setVisible(shown);
        Images[i]->setVisible(shown);
        Shown[i] = -1;
        if (!shown) continue;
        const TPhaseEntry& entry = month.Phases[i];
        Captions[i]->setText(Q(PhaseDateText(entry)));
        // The month's second full moon is its blue moon.
        Shown[i] = k == 4 && entry.PhaseType == TPhaseType::FullMoon
                       ? BluePictureIndex
                       : PhaseTypeNumber(entry.PhaseType);
        Images[i]->setPixmap(QPixmap::fromImage(PictureShown(k)));
    }
}

const QImage& TPhaseListPanel::PictureShown(int index) const {
    static const QImage none;
    if (index < 0 || index >= MaxMonthPhases || Shown[static_cast<size_t>(index)] < 0) return none;
    // Seen from the south the Moon is turned by 180°.
    const TPictures& set = State.Southern() ? Turned : Pictures;
    return set[static_cast<size_t>(Shown[static_cast<size_t>(index)])];
}

bool TPhaseListPanel::IsBlueMoonPicture(int index) const {
    return index >= 0 && index < MaxMonthPhases &&
           Shown[static_cast<size_t>(index)] == BluePictureIndex;
}

void TPhaseListPanel::SelectMajorPhaseDate(int index) {
    if (index < 0 || index >= State.Month().PhaseCount) return;
    State.SelectMoment(State.Month().Phases[static_cast<size_t>(index)].When);
}
