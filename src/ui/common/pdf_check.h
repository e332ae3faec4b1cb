// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Whether a PDF file was written to its end: it opens as a PDF, ends with its cross-reference
// table's offset and "%%EOF", and every object that table lists stands where it says. A file
// cut off by a full disk or a file-size limit, or one with a hole, fails.

#include <QString>

[[nodiscard]] bool PdfFileComplete(const QString& path);
