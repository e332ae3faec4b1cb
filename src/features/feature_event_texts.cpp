// SPDX-License-Identifier: GPL-3.0-or-later
#include "features/feature_event_texts.h"

#include "engine/text_helpers.h"

std::string FeatureEventText(const std::optional<TDateRec>& event) {
    return event ? DateTimeTextNoSeconds(*event) : std::string(FeatureTimePlaceholder);
}
