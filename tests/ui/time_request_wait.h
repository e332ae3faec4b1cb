// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The answer to one time request, waited for in the test's event loop; empty when none came.

#include <QSignalSpy>

#include "ui/main/time_sync.h"

inline TTimeSyncReply AnswerFrom(const QString& address, int ms, const TPlausibleSpan& span) {
    TTimeRequest request;
    QSignalSpy answered(&request, &TTimeRequest::Finished);
    if (!request.Start(address, ms, span) || !answered.wait(ms + 1000)) return {};
    return answered.first().first().value<TTimeSyncReply>();
}
