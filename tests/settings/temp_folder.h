// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

// A fresh folder under the system's temporary folder, removed with everything in it.
class TTempFolder {
  public:
    TTempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "tidewell-XXXXXX").string();
        if (mkdtemp(pattern.data())) Path_ = pattern;
    }
    ~TTempFolder() {
        std::error_code ignored;
        if (!Path_.empty()) std::filesystem::remove_all(Path_, ignored);
    }
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    [[nodiscard]] const std::filesystem::path& Path() const { return Path_; }
    [[nodiscard]] std::string File(const std::string& name) const {
        return (Path_ / name).string();
    }

  private:
    std::filesystem::path Path_;
};
