// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The night-vision look of one of the program's windows (night_vision.h), turned red where the
// window was just painted and only there: a tick that repaints the clock and the panels costs
// their pixels, not the window's. An invisible child laid over the whole window, kept above
// its other children, so the toolkit paints it last wherever anything below it was painted;
// it then turns those pixels, in the picture being painted (the window's backing store, or a
// grab), to night colours. The metal frame (night_frame.h) is turned over, the dark panels
// and the dark entry fields on the frame keep their tones, light scroll bars are turned over.
//
//   new TNightOverlay(window);   // night vision on; deleting it brings the day look back

#include <vector>

#include <QImage>
#include <QRect>
#include <QWidget>

class QRegion;
class TBorderlessWindow;

class TNightOverlay : public QWidget {
    Q_OBJECT
  public:
    explicit TNightOverlay(TBorderlessWindow& window);

  protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // A shown control's area in the picture and what the mask takes there (MaskOver), as last
    // seen painted whole.
    struct TKnownField {
        const QWidget* Control = nullptr;
        QRect Area;
        int Mask = -1;
    };

    void KeepOnTop();
    // Brings Turned (where the frame's tone applies) up to date with the window's shown fields
    // and scroll bars, judging those painted whole in fresh from the picture of the window.
    void FollowFields(const QImage& window, const QRegion& fresh);

    TBorderlessWindow& Window;
    QImage Frame;       // the frame mask of its background
    QImage ScaledFrame; // the same at the size of the picture painted
    QImage Turned;      // ScaledFrame with the fields and scroll bars as they are shown
    std::vector<TKnownField> Fields;
};
