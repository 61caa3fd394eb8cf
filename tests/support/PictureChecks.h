// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QString>

// Pictures to judge the screens by, shared by the screen tests and the
// picture benchmark.

// The first frame of a recording as GStreamer alone decodes and converts it
// (avidemux, h264parse, avdec_h264, videoconvert) at its own size; null when
// it cannot. Converted to 16 bits a channel and rounded to 8: GStreamer's
// direct 8-bit conversion works with coefficients of a few bits and is off
// by up to four levels in saturated colours. `colorimetry`, when given, receives the
// decoded stream's colorimetry as its caps name it.
QImage DecodeFirstFrame(const QString& path, QString* colorimetry = nullptr);

// `full` shrunk to `size` by exact area averaging of each of red, green and
// blue.
QImage AreaAveraged(const QImage& full, QSize size);

// The SSIM of `shown` against `full` shrunk to the same size by exact area
// averaging, as the mean over red, green and blue.
double SsimAgainstArea(const QImage& shown, const QImage& full);

// The largest difference of any colour channel between two pictures of the
// same size (256 when the sizes differ).
int LargestDifference(const QImage& a, const QImage& b);
