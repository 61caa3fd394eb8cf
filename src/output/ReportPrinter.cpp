// SPDX-License-Identifier: GPL-3.0-or-later
#include "output/ReportPrinter.h"

#include <QFont>
#include <QFontMetrics>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

#include "player/CVideoPlayer.h"
#include "sensors/SensorRecords.h"

namespace zv {
namespace {

constexpr const char* kDocumentName = "VARNI Viewer";
// Resolution of a report printed to a PDF file: the fixed text sizes then
// come out near 10 points and the header time fits beside the page edge.
constexpr int kPdfResolution = 720;

int PrintPictureAt(const QImage& picture, QPainter& painter, const ReportRect& r) {
  return PrintPicture(picture, painter, r.x, r.y, r.width, r.height);
}

void DrawMapPicture(QPainter& painter, const ReportJob& job) {
  if (!job.mapView || !ReportHasMapPosition(job.values)) return;
  PrintPictureAt(job.mapView->grab().toImage(), painter,
                 MapPictureRect(job.pageWidth, job.pageHeight));
}

uint32_t PlaybackPositionMs(CGraphPlayer* engine) {
  int64_t position = 0;
  if (!engine || engine->GetCurrentPosition(&position) < 0 || position < 0) return 0;
  return static_cast<uint32_t>(position / kUnitsPerMs);
}

}  // namespace

void DrawReportText(QPainter& painter, int size, int x, int y, const QString& text) {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(ReportFontPixelHeight(size));
  font.setWeight(QFont::Normal);
  painter.save();
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.drawText(x, y + QFontMetrics(font, painter.device()).ascent(), text);
  painter.restore();
}

int PrintPicture(const QImage& picture, QPainter& painter, int x, int y, int width, int height) {
  if (picture.isNull()) return -1;
  painter.drawImage(QRect(x, y, width, height), picture);
  return 0;
}

void DrawReportPage(QPainter& painter, const ReportJob& job, int page) {
  for (const ReportText& t : ReportPageTexts(page, job.pageWidth, job.pageHeight, job.values))
    DrawReportText(painter, t.size, t.x, t.y, QString::fromStdString(t.text));
  if (page == 1) {
    PrintPictureAt(job.channel1, painter, ChannelPictureRect(1, job.pageWidth, job.pageHeight));
    if (job.values.channelCount == 2)
      PrintPictureAt(job.channel2, painter, ChannelPictureRect(2, job.pageWidth, job.pageHeight));
  } else {
    DrawMapPicture(painter, job);
  }
}

ReportJob CollectReportJob(CVideoPlayer& player, const std::string& recordingName,
                           QWidget* mapView) {
  ReportJob job;
  CGraphPlayer* engine = player.Engine();
  job.values.channelCount = engine ? engine->GetChannelCount() : 0;
  if (job.values.channelCount >= 1) player.CaptureFrame(0, &job.channel1);
  if (job.values.channelCount == 2) player.CaptureFrame(1, &job.channel2);
  job.mapView = mapView;
  job.values.recordingName = recordingName;
  job.values.positionMs = PlaybackPositionMs(engine);
  float latitude = 0, longitude = 0, x = 0, y = 0, z = 0;
  FindPosition(job.values.positionMs, latitude, longitude);
  FindGSensor(job.values.positionMs, x, y, z);
  job.values.latitude = latitude;
  job.values.longitude = longitude;
  job.values.gx = x;
  job.values.gy = y;
  job.values.gz = z;
  return job;
}

bool PrintReportTo(QPrinter& printer, ReportJob& job) {
  printer.setDocName(QString::fromLatin1(kDocumentName));
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  job.pageWidth = page.width();
  job.pageHeight = page.height();
  for (int number = 1; number <= kReportPageCount; ++number) {
    if (number > 1) printer.newPage();
    DrawReportPage(painter, job, number);
  }
  return painter.end();
}

bool PrintReport(QWidget* owner, CVideoPlayer& player, const std::string& recordingName,
                 QWidget* mapView) {
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, owner);
  dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
  if (dialog.exec() != QDialog::Accepted) return false;
  if (printer.outputFormat() == QPrinter::PdfFormat) printer.setResolution(kPdfResolution);
  ReportJob job = CollectReportJob(player, recordingName, mapView);
  if (PrintReportTo(printer, job)) return true;
  const QString target =
      printer.outputFormat() == QPrinter::PdfFormat ? printer.outputFileName() : printer.printerName();
  QMessageBox::warning(owner, QStringLiteral("VARNI Viewer"),
                       QStringLiteral("보고서를 인쇄하지 못했습니다.\n") + target, QMessageBox::Ok);
  return false;
}

}  // namespace zv
