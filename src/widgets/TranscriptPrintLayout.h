#pragma once

#include <QString>

class QPagedPaintDevice;

// Prints the transcript under its title onto `device` (the default printer,
// or a PDF writer in tests) and ends the document. Measures are from the
// corner of the device's printable area:
// - the title "通讯测试" at 20 pt, the top of its text 4600 twips right and
//   100 twips down;
// - the text at 10 pt from 1100 twips right and 1400 twips down, each line at
//   that left edge; a line too wide for the printable area wraps, and text
//   below its bottom continues on a new page, again from 1400 twips down.
// The face is the device's default; only the size is set. Returns false when
// the device cannot be painted on or the document cannot be ended.
bool printTranscript(QPagedPaintDevice& device, const QString& text);
