// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <clocale>

#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QWidget>

#include "GermanLocale.h"
#include "output/ReportPrinter.h"

using namespace zv;

namespace {

// Text of a PDF as poppler reads it.
QString PdfTool(const QString& tool, const QString& pdf) {
  QProcess process;
  process.start(tool, tool == "pdftotext" ? QStringList{"-enc", "UTF-8", pdf, "-"}
                                          : QStringList{pdf});
  process.waitForFinished(30000);
  return QString::fromUtf8(process.readAllStandardOutput());
}

QImage Filled(QSize size, QColor colour) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

// Prints the report to a PDF at 720 dpi in the test's working folder (kept
// for a look at the pages) and gives its path.
// Prints to a PDF in a folder of the test program's own, never in the
// folder it was started from.
QString PrintToPdf(ReportJob& job, const QString& name) {
  static QTemporaryDir folder;
  const QString path = folder.filePath(name);
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setResolution(720);  // as PrintReport prints to a PDF file
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setOutputFileName(path);
  EXPECT_TRUE(PrintReportTo(printer, job));
  return path;
}

class ReportPrinterTest : public ::testing::Test {
 protected:
  ReportPrinterTest() {
    map_.resize(400, 300);
    map_.setAutoFillBackground(true);
    map_.setPalette(QPalette(QColor(40, 120, 60)));
    job_.channel1 = Filled({320, 180}, QColor(200, 60, 60));
    job_.channel2 = Filled({256, 144}, QColor(60, 60, 200));
    job_.mapView = &map_;
    job_.values = {"REC_20130521_143015_F.AVI", 61500, 2, 37.5665, 126.978, 0.012, -0.98, 0.5};
  }
  QWidget map_;
  ReportJob job_;
};

TEST_F(ReportPrinterTest, TwoChannelReportHasEveryTextOnTwoPages) {
  const QString pdf = PrintToPdf(job_, "report-two-channels.pdf");
  EXPECT_GT(job_.pageWidth, 4000);  // A4 printable width at 720 dpi
  EXPECT_GT(job_.pageHeight, job_.pageWidth);
  const QString text = PdfTool("pdftotext", pdf);
  for (const char* expected :
       {"VARNI Viewer", "2013-05-21 14:31:16", "VARNI Viewer Report", "1. 촬영정보",
        "-촬영이미지", "-채널1", "-채널2", "2. 위치정보", "위도 : 37.56650000",
        "경도 : 126.97800000", "지도", "3. 충격 정보", "충격 센서값",
        "충격센서 : X = 0.01200000, Y = -0.98000000, Z = 0.50000000", "Page 1 of 2",
        "Page 2 of 2"})
    EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n"
                                                            << text.toStdString();
  const QString info = PdfTool("pdfinfo", pdf);
  EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+2\\n"))) << info.toStdString();
  EXPECT_TRUE(info.contains(QRegularExpression("Title:\\s+VARNI Viewer\\n"))) << info.toStdString();
}

// A PDF that cannot be written is a failure (which PrintReport tells the
// user), not a report.
TEST_F(ReportPrinterTest, APdfThatCannotBeWrittenFails) {
  QTemporaryDir dir;
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir.filePath("missing/report.pdf"));
  EXPECT_FALSE(PrintReportTo(printer, job_));
}

// Numbers in the report use a point whatever the locale.
TEST_F(ReportPrinterTest, NumbersUseAPointUnderACommaLocale) {
  GermanLocale german;
  ASSERT_TRUE(german.Active()) << "the de_DE.UTF-8 locale could not be made";
  const QString text = PdfTool("pdftotext", PrintToPdf(job_, "report-de_DE.pdf"));
  EXPECT_TRUE(text.contains("위도 : 37.56650000")) << text.toStdString();
  EXPECT_TRUE(text.contains("충격센서 : X = 0.01200000, Y = -0.98000000, Z = 0.50000000"));
}

TEST_F(ReportPrinterTest, OneChannelReportLeavesTheSecondChannelOut) {
  job_.values.channelCount = 1;
  job_.channel2 = QImage();
  const QString text = PdfTool("pdftotext", PrintToPdf(job_, "report-one-channel.pdf"));
  EXPECT_TRUE(text.contains(QString::fromUtf8("-채널1")));
  EXPECT_FALSE(text.contains(QString::fromUtf8("-채널2")));
  EXPECT_TRUE(text.contains("Page 1 of 2"));
}

TEST_F(ReportPrinterTest, PicturesGoIntoTheirRectanglesAndTheMapNeedsAPosition) {
  ReportJob job = job_;
  job.pageWidth = 1000;
  job.pageHeight = 1400;
  auto page2 = [&job] {
    QImage page = Filled({job.pageWidth, job.pageHeight}, Qt::white);
    QPainter painter(&page);
    DrawReportPage(painter, job, 2);
    return page;
  };
  // Map rectangle: x 20%, y 25%, 40% x 20%; its centre shows the map view.
  EXPECT_EQ(page2().pixelColor(400, 490), QColor(40, 120, 60));
  job.values.latitude = 0;
  EXPECT_EQ(page2().pixelColor(400, 490), QColor(Qt::white));

  QImage page1 = Filled({1000, 1400}, Qt::white);
  QPainter painter(&page1);
  DrawReportPage(painter, job, 1);
  EXPECT_EQ(page1.pixelColor(500, 500), QColor(200, 60, 60));  // channel 1 at y 24%..50%
  EXPECT_EQ(page1.pixelColor(500, 1000), QColor(60, 60, 200));  // channel 2 at y 60%..86%
  EXPECT_EQ(PrintPicture(QImage(), painter, 0, 0, 10, 10), -1);
  EXPECT_EQ(PrintPicture(job.channel1, painter, 0, 0, 10, 10), 0);
}

}  // namespace
