// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "output/ReportJob.h"

class CVideoPlayer;
class QPainter;
class QPrinter;
class QString;
class QWidget;

namespace zv {

// Draws `text` in "Arial" of pixel height size x 5, normal weight, with its
// top-left corner at (x, y).
void DrawReportText(QPainter& painter, int size, int x, int y, const QString& text);

// Draws `picture` stretched into the rectangle. 0, or -1 for an empty
// picture (nothing drawn).
int PrintPicture(const QImage& picture, QPainter& painter, int x, int y, int width, int height);

// Page 1 (channel pictures) or 2 (position, map, G-sensor) of the job.
void DrawReportPage(QPainter& painter, const ReportJob& job, int page);

// The job's data from the open recording: channel pictures, channel count,
// position, and the sensor lookups at that position.
ReportJob CollectReportJob(CVideoPlayer& player, const std::string& recordingName,
                           QWidget* mapView);

// Prints both pages on `printer` as the document "VARNI Viewer", taking
// the page size from the printer. False when painting could not start.
bool PrintReportTo(QPrinter& printer, ReportJob& job);

// The Print command after the main window has paused playback: the print
// dialog, then the report. False when the user cancels or printing fails;
// a failure (a PDF file that cannot be written, a printer that cannot be
// opened) is told to the user with the file or printer it concerns.
bool PrintReport(QWidget* owner, CVideoPlayer& player, const std::string& recordingName,
                 QWidget* mapView);

}  // namespace zv
