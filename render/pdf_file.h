// SPDX-License-Identifier: GPL-3.0-or-later
// A study PDF on its way to its file: written straight into the temporary
// file of a replacing write (io/file_io.h) and renamed over the target only
// when whole, with the checks every study PDF shares.
#pragma once

#include <QIODevice>
#include <QString>
#include <functional>

#include "render/study_pdf.h"

namespace zentavo::render {

// Whether a write into the file has failed: painting on would be lost work.
bool WriteFailed(const QIODevice& out);

// Stops the export with a message (zentavo::Error) when the PDF has reached
// the most the PDF writer can address.
void CheckPdfSize(const QIODevice& out, const char* what, int pages);

// Writes the PDF straight into the temporary file of a replacing write, and
// replaces `path` with it once `write` has finished: a cancel (write returns
// -1), nothing to write (0, when `emptyIsNothing`) or a failure leaves the
// old file as it was and no other file behind.
StudyExportResult SaveThrough(const QString& path, bool emptyIsNothing, const std::function<int(QIODevice&)>& write);

}  // namespace zentavo::render
