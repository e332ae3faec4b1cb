#pragma once

// The program's windows, created once at start in a fixed order with the main window
// first, and owned here for the whole run. Later windows are added in their place.

#include <memory>

#include "ui/main/tmain.h"

class TWindowSet {
  public:
    explicit TWindowSet(const TMainSetup& setup = {});
    ~TWindowSet();
    TWindowSet(const TWindowSet&) = delete;
    TWindowSet& operator=(const TWindowSet&) = delete;

    [[nodiscard]] TMain& Main() { return *MainWindow; }

    // Shows the main window; the other windows stay hidden until they are opened.
    void Show();

  private:
    std::unique_ptr<TMain> MainWindow;
};
