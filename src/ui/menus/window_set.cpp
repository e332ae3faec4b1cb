#include "ui/menus/window_set.h"

TWindowSet::TWindowSet(const TMainSetup& setup) {
    // The main window comes first: its creation loads the settings and computes the first
    // month before any other window exists.
    MainWindow = std::make_unique<TMain>(setup);
}

TWindowSet::~TWindowSet() = default;

void TWindowSet::Show() {
    MainWindow->show();
}
