// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers of the map tests: ask the real map page in the real web view and
// wait for its answers.
#pragma once


#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QEventLoop>
#include <QImage>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <functional>

#include "EventWait.h"
#include "WindowProcessHome.h"
#include "map/MapViewBridge.h"
#include "map/MapWebPage.h"

namespace mapprobe {

// Prepares the process for a map view, before the QApplication is made: a
// home folder of the test's own (the map's cache, data and settings stay
// there), the web engine's sandbox off for root (as the program does) and
// the map's URL scheme registered.
inline void PrepareForMapView(const QString& home) {
  QDir().mkpath(home);
  QFile::setPermissions(home, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  PrepareWindowProcess(home);
  qputenv("XDG_RUNTIME_DIR", home.toUtf8());
  for (const char* name : {"XDG_DATA_HOME", "XDG_CACHE_HOME"}) qunsetenv(name);
}

// Runs a call text on the page and waits for its answer.
inline QString Ask(QWebEngineView* view, const QString& callText) {
  QString answer = QStringLiteral("<no answer>");
  QEventLoop loop;
  CallPageScript(view, callText, [&](const QString& result) {
    answer = result;
    loop.quit();
  });
  QTimer::singleShot(10000, &loop, &QEventLoop::quit);
  loop.exec();
  return answer;
}

// The value of a page expression, as text.
inline QString Evaluate(QWebEngineView* view, const QString& expression) {
  QString value;
  QEventLoop loop;
  view->page()->runJavaScript(expression, [&](const QVariant& v) {
    value = v.toString();
    loop.quit();
  });
  QTimer::singleShot(10000, &loop, &QEventLoop::quit);
  loop.exec();
  return value;
}

inline bool WaitFor(const std::function<bool()>& done, int ms = 15000) { return WaitForEvents(done, ms); }

inline void Settle(int ms) { WaitFor([] { return false; }, ms); }

// The share of an image's pixels within `tolerance` of `colour` in each
// channel.
inline double ShareOfColour(const QImage& image, const QColor& colour, int tolerance = 10) {
  if (image.isNull()) return 0;
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  qint64 matching = 0;
  for (int y = 0; y < rgb.height(); ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x)
      if (std::abs(qRed(line[x]) - colour.red()) <= tolerance &&
          std::abs(qGreen(line[x]) - colour.green()) <= tolerance &&
          std::abs(qBlue(line[x]) - colour.blue()) <= tolerance)
        ++matching;
  }
  return double(matching) / (double(rgb.width()) * rgb.height());
}

// A map page that keeps the script errors it reports.
class ErrorRecordingPage : public MapWebPage {
 public:
  using MapWebPage::MapWebPage;
  QStringList errors;

 protected:
  void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                int line, const QString& source) override {
    if (level == ErrorMessageLevel) errors.append(QString("%1 (%2:%3)").arg(message, source).arg(line));
  }
};

}  // namespace mapprobe
