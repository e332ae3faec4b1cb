// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Files written whole or not at all. The new content goes to a temporary file beside the
// target, is flushed to the disk and only then renamed over the target, so a full disk, a
// file-size limit or a crash leaves the old file or the new one, never a part of either.
//
//   std::string error;
//   if (!WriteWholeFile("moon.ics", text, error)) Report("could not write moon.ics: " + error);
//
// Writers that open a file by its name themselves (a PDF printer) fill the temporary file
// of a TFileReplacement and commit it:
//
//   TFileReplacement file("page.pdf");
//   if (file.Ready()) { PrintInto(file.TempPath()); ok = Complete(file.TempPath()) &&
//   file.Commit(); }

#include <string>
#include <string_view>

class TFileReplacement {
  public:
    // Creates the temporary file beside target (a symbolic link is followed, so the link
    // stays and the file it names is replaced). It gets the target's permissions, or those
    // of a new file when there is no target yet. A target the user may not write is refused.
    explicit TFileReplacement(const std::string& target);
    // Removes the temporary file unless it was committed.
    ~TFileReplacement();
    TFileReplacement(const TFileReplacement&) = delete;
    TFileReplacement& operator=(const TFileReplacement&) = delete;

    // Whether the temporary file exists; Error() says why not.
    [[nodiscard]] bool Ready() const { return Fd >= 0; }
    [[nodiscard]] const std::string& TempPath() const { return Temp; }
    // The reason of the last failure, as the system words it ("No space left on device").
    [[nodiscard]] const std::string& Error() const { return Reason; }

    // Appends bytes to the temporary file; false when they could not all be written.
    [[nodiscard]] bool Write(std::string_view bytes);
    // Flushes the temporary file to the disk and renames it over the target; false (the
    // target untouched, the temporary file removed) when either fails.
    [[nodiscard]] bool Commit();

  private:
    bool Fail(const std::string& what);

    std::string Target;
    std::string Temp;
    std::string Reason;
    int Fd = -1;
    bool Committed = false;
};

// Replaces (or creates) path with bytes, whole or not at all; false with the reason in error.
[[nodiscard]] bool WriteWholeFile(const std::string& path, std::string_view bytes,
                                  std::string& error);

// A write past the file-size limit (ulimit -f) then fails with an error the writer reports,
// instead of the system ending the program. Called once at the start of each program.
void IgnoreFileSizeSignal();
