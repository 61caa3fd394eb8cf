// The real map page in the real web view: markers set through the bridge,
// read back from the page, and kept across docking and undocking.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QSignalSpy>
#include <QTimer>
#include <QWebEnginePage>
#include <array>
#include <cstring>
#include <string>

#include "map/CMapDlg.h"
#include "map/CMapViewWnd.h"
#include "map/CZvMapPanelCtrl.h"
#include "map/IMapHostWindow.h"
#include "map/MapMode.h"
#include "map/MapViewBridge.h"
#include "sensors/CZvTextCtrl.h"
#include "sensors/SensorRecords.h"
#include "skin/CZvButtonCtrl.h"

namespace {

QString g_programDir;
QString g_workDir;

// The main window's parts that the map switches touch.
class MainWindowStandIn : public QWidget, public IMapHostWindow {
 public:
  MainWindowStandIn() {
    resize(640, 480);
    panel = new CZvMapPanelCtrl(1006, this);
    panel->setGeometry(10, 10, 400, 300);
    mapButton = new QWidget(this);
    mapButton->setGeometry(420, 10, 40, 40);
    positionText = new CZvTextCtrl(this, 1010);
    positionText->mode = 4;
    positionText->setGeometry(10, 320, 400, 20);
  }
  CZvMapPanelCtrl* MapPanel() override { return panel; }
  void SetMapButtonVisible(bool visible) override { mapButton->setVisible(visible); }
  bool PositionTextShown() const override { return positionTextShown; }
  void SetPositionTextShown(bool shown) override {
    positionText->setVisible(shown);
    positionTextShown = shown;
  }

  CZvMapPanelCtrl* panel;
  QWidget* mapButton;
  CZvTextCtrl* positionText;
  bool positionTextShown = true;
};

// A page that keeps the script errors it reports.
class ErrorRecordingPage : public QWebEnginePage {
 public:
  using QWebEnginePage::QWebEnginePage;
  QStringList errors;

 protected:
  void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message,
                                int line, const QString&) override {
    // Tiles that cannot load offline are not script errors.
    if (level == ErrorMessageLevel && !message.contains("Failed to load resource"))
      errors.append(QString("%1 (line %2)").arg(message).arg(line));
  }
};

// Runs a call text on the page and waits for its answer.
QString Ask(QWebEngineView* view, const QString& callText) {
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

// The value of a page variable, as text.
QString Evaluate(QWebEngineView* view, const QString& expression) {
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

void AddFix(uint32_t timeMs, const char* status, const char* lat, const char* lng) {
  std::array<uint8_t, zv::kSensorRecordSize> record{};
  const std::string text = std::string("GPRMC,010203.000,") + status + "," + lat + ",N," + lng +
                           ",E,30.0,90.0,010124,,,A";
  std::memcpy(record.data(), text.data(), text.size());
  zv::DispatchSensorRecord(record.data(), timeMs);
}

void Settle(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

TEST(MapPageE2ETest, MarkerPathAndStateSurviveDockingRoundTrip) {
  MainWindowStandIn mainWindow;
  mainWindow.show();
  CMapViewWnd view(mainWindow.panel);
  ASSERT_EQ(CMapViewWnd::Instance(), &view);
  auto* page = new ErrorRecordingPage(&view);
  view.setPage(page);
  // Before the page is there, calls find no function and do nothing.
  EXPECT_EQ(Ask(&view, "javascript:positionChange('1.000000', '2.000000')"), QString());
  QSignalSpy loaded(&view, &QWebEngineView::loadFinished);
  LoadMapPageFrom(g_programDir);
  ASSERT_TRUE(loaded.wait(30000)) << "the map page did not load";
  ASSERT_TRUE(loaded.first().first().toBool()) << "the map page failed to load";
  AttachMapView(mainWindow.panel);
  EXPECT_EQ(view.parentWidget(), mainWindow.panel);
  EXPECT_EQ(view.size(), QSize(400, 300));

  // A missing function does nothing; the page starts at its initial place.
  EXPECT_EQ(Ask(&view, "javascript:noSuchFunction('1')"), QString());
  EXPECT_EQ(Ask(&view, "javascript:markerPosition()"), QStringLiteral("37.566498,126.977966"));

  zv::ClearSensorRecords();
  AddFix(1000, "A", "3733.9900", "12658.6800");
  AddFix(2000, "V", "3800.0000", "12700.0000");
  AddFix(3000, "A", "3734.2000", "12659.1000");
  ShowMapPosition(500);
  EXPECT_EQ(Ask(&view, "javascript:markerPosition()"), QStringLiteral("37.566500,126.978000"));
  ShowMapPosition(1500);  // an invalid fix leaves the marker where it was
  EXPECT_EQ(Ask(&view, "javascript:markerPosition()"), QStringLiteral("37.566500,126.978000"));

  const QString pageLoadId = Evaluate(&view, "pageLoadId");
  ASSERT_FALSE(pageLoadId.isEmpty());

  // Undock: the view moves into the map window with its page.
  CMapDlg mapWindow;
  SetMapHostWindow(&mainWindow);
  SetMapMode(kMapUndocked);
  EXPECT_EQ(MapMode(), kMapUndocked);
  EXPECT_TRUE(mapWindow.isVisible());
  EXPECT_EQ(view.parentWidget(), mapWindow.mapPanel);
  EXPECT_EQ(mapWindow.mapPanel->hostedView, &view);
  EXPECT_EQ(mainWindow.panel->hostedView, nullptr);
  EXPECT_FALSE(mainWindow.mapButton->isVisible());
  EXPECT_FALSE(mainWindow.positionText->isVisible());
  ShowMapPosition(2500);
  EXPECT_EQ(Ask(&view, "javascript:markerPosition()"), QStringLiteral("37.570000,126.985000"));
  mapWindow.resize(500, 420);
  Settle(50);
  EXPECT_EQ(view.size(), QSize(490, 355));
  Settle(300);
  mapWindow.grab().save(g_workDir + "/map-window.png");

  // Dock again with the close button: same page, same marker, same path.
  mapWindow.closeButton->click();
  EXPECT_EQ(MapMode(), kMapDocked);
  EXPECT_FALSE(mapWindow.isVisible());
  EXPECT_EQ(view.parentWidget(), mainWindow.panel);
  EXPECT_EQ(view.size(), QSize(400, 300));
  EXPECT_TRUE(mainWindow.mapButton->isVisible());
  EXPECT_TRUE(mainWindow.positionText->isVisible());
  EXPECT_EQ(Ask(&view, "javascript:markerPosition()"), QStringLiteral("37.570000,126.985000"));
  EXPECT_EQ(Ask(&view, "javascript:pathPointCount()"), QStringLiteral("2"));
  EXPECT_EQ(Evaluate(&view, "pageLoadId"), pageLoadId) << "the page was reloaded";
  EXPECT_EQ(loaded.count(), 1);

  // A picture of the page as drawn without tiles: dark, never white.
  Settle(500);
  const QImage shot = view.grab().toImage();
  shot.save(g_workDir + "/map-page.png");
  ASSERT_FALSE(shot.isNull());
  const QColor corner = shot.pixelColor(shot.width() - 5, shot.height() / 2);
  EXPECT_LT(corner.lightness(), 80) << "the offline map is not dark";
  EXPECT_TRUE(page->errors.isEmpty()) << page->errors.join('\n').toStdString();

  SetMapHostWindow(nullptr);
  zv::ClearSensorRecords();
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc < 3) {
    fprintf(stderr, "usage: %s <program folder> <work folder>\n", argv[0]);
    return 2;
  }
  g_programDir = QString::fromLocal8Bit(argv[1]);
  g_workDir = QString::fromLocal8Bit(argv[2]);
  QDir().mkpath(g_workDir);
  // The web engine's sandbox cannot run as root; the program switches it off
  // there too. Offline, keep Chromium from reaching for the network itself.
  if (geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
          "--disable-background-networking --disable-component-update --no-first-run "
          "--disable-gpu --disable-features=Translate");
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
