// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the two feature windows share: the list of the 17 feature files, the busy cursor
// while a file is computed, and the striped rows of a table drawn into a dark well.

#include <QCursor>
#include <QGuiApplication>
#include <QString>

#include <filesystem>

#include "features/feature_file.h"

class QComboBox;
class QPainter;
class QScrollBar;
class QWidget;
struct TFeatureTable;

// The folder of the feature files for this run.
[[nodiscard]] std::filesystem::path FeatureDataFolder();

// A drop-down list of the display names, in their order, at least as wide as the area.
[[nodiscard]] QComboBox* FeatureFileList(QWidget* parent, const QRect& area);

// The index of a FeatureIdx setting, the default file (Craters) when out of range.
[[nodiscard]] int FeatureFileIndex(int index);

// Loads the display name's file; a file that is not loaded gives an empty table.
TFeatureFileLoad LoadFeatureTable(TFeatureTable& table, const QString& displayName);

// A damaged or too large feature file reported over `window`, naming it. A missing one is
// not reported: its list is simply empty.
void ReportFeatureFile(const TFeatureFileLoad& load, QWidget* window);

// The busy cursor for the life of the object, restored whatever happens.
class TBusyCursor {
  public:
    TBusyCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~TBusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;
};

inline constexpr int FeatureRowHeight = 16;

// Fills the well black and stripes the rows: odd records grey, even black.
void StripeRows(QPainter& painter, const QRect& well, int rows, int firstRecord);

// Stripes the well's rows, then saves the painter and moves it into the well, clipped to it,
// with the lists' font at the window's scale; the caller restores the painter after its rows.
void OpenRowWell(QPainter& painter, const QRect& well, int rows, int firstRecord,
                 const QWidget& window);

// A vertical scroll bar whose maximum is records - visibleRows (0 when all fit).
void SizeRowScrollBar(QScrollBar& bar, int records, int visibleRows);
