// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The night-vision look: every window of the program drawn deep red on black, so that a
// glance at the screen does not cost the observer the dark adaptation of the eye (the rods
// are almost blind to deep red light). The windows keep their own colours; one colour
// transform at the top of every window turns each pixel's brightness into red, with green
// and blue left dark, pictures, child controls and message boxes alike. The program's windows
// are turned red where they repaint (night_overlay.h), their light metal frame turned over
// (night_frame.h): the frame goes dark and the black captions on it bright, as the values on
// the dark panels are.
//
//   TNightVision night(state, store);   // once, beside the windows (the window set)
//   ... Ctrl+N in any window, or the configuration's check box, switches it:
//   (void)SetNightVision(state, store, true);   // stored, then applied to the program state
//
// The program's own windows are dark panels in a metal frame and keep their light and dark
// parts; the toolkit's standard boxes (messages, file and print dialogs, drop-down lists,
// hints) are light, so their brightness is turned over before it becomes red.

#include <QColor>
#include <QGraphicsEffect>
#include <QImage>
#include <QObject>
#include <QRgb>

class QKeyEvent;
class QRect;
class QWidget;
class TProgramState;
class TSettingsStore;

enum class TNightTone {
    Keep,   // bright stays bright: the program's dark panels
    Invert, // bright becomes dark: light standard boxes
    Frame,  // the program's mid-grey metal frame near black, the dark writing on it bright
};

// One pixel as deep red: its brightness (the mean of its largest component and its
// luminance, or for Invert and Frame the complement of its luminance) mapped to red, green
// and blue zero, alpha kept. Premultiplied ARGB in and out.
[[nodiscard]] QRgb NightPixel(QRgb premultiplied, TNightTone tone);

// The picture in night colours, converted to premultiplied ARGB32 first when it is not.
// frame: a mask of the picture's size whose lit pixels take TNightTone::Frame whatever the
// tone (none when null or of another size).
void ToNightColours(QImage& picture, TNightTone tone, const QImage& frame = QImage());

// The same over one area of a picture already in premultiplied ARGB32 or RGB32.
void ToNightColoursIn(QImage& picture, const QRect& area, TNightTone tone,
                      const QImage& frame = QImage());

// Draws the toolkit's standard box it is set on (and every child) through ToNightColours,
// whole at every change. ground: what shows where the box paints nothing (its own background
// colour, which the toolkit leaves out of an effect's source); transparent for none.
class TNightVisionEffect : public QGraphicsEffect {
    Q_OBJECT
  public:
    TNightVisionEffect(TNightTone tone, const QColor& ground, QObject* parent = nullptr);
    [[nodiscard]] TNightTone Tone() const { return NightTone; }

  protected:
    void draw(QPainter* painter) override;

  private:
    TNightTone NightTone;
    QColor Ground;
    qint64 SourceKey = 0; // the source picture last turned red, and the result
    QImage Night;
};

// The key that switches the look in every window: Ctrl+N.
[[nodiscard]] bool IsNightVisionKey(const QKeyEvent& key);

// Stores the choice (the NightVision setting) and applies it to the program state, which
// makes every window follow. False when it could not be stored: it still holds for this run.
bool SetNightVision(TProgramState& state, TSettingsStore& store, bool on);

// The application-wide switch: follows the program state's NightVision setting, dresses
// every top-level window (those shown later too) in the effect, and takes Ctrl+N from
// whichever window has the keyboard. One exists at a time, owned by the window set.
class TNightVision : public QObject {
    Q_OBJECT
  public:
    TNightVision(TProgramState& state, TSettingsStore& store, QObject* parent = nullptr);
    ~TNightVision() override;
    TNightVision(const TNightVision&) = delete;
    TNightVision& operator=(const TNightVision&) = delete;

    [[nodiscard]] bool On() const { return IsOn; }
    // Switches the look, storing the choice.
    void Toggle();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Apply(bool on);
    void Dress(QWidget* window) const;

    TProgramState& State;
    TSettingsStore& Store;
    bool IsOn = false;
};
