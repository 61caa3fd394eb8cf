// SPDX-License-Identifier: GPL-3.0-or-later
// The real map page in the real web view, its tiles from a real HTTP server
// started here: the marker set through the bridge and read back from the
// page, kept across docking and undocking; the route and the trail; a page
// that never leaves itself.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QSignalSpy>
#include <array>
#include <cstring>
#include <string>

#include "MapPageProbe.h"
#include "MbTilesMaker.h"
#include "TileServer.h"
#include "map/CMapDlg.h"
#include "map/CMapViewWnd.h"
#include "map/CZvMapPanelCtrl.h"
#include "map/IMapHostWindow.h"
#include "map/MapFolders.h"
#include "map/MapMode.h"
#include "map/MapRoute.h"
#include "map/MapSchemeHandler.h"
#include "map/MapViewBridge.h"
#include "map/MapWebProfile.h"
#include "sensors/CZvTextCtrl.h"
#include "sensors/GpsText.h"
#include "sensors/SensorRecords.h"
#include "skin/CZvButtonCtrl.h"

using mapprobe::Ask;
using mapprobe::Evaluate;
using mapprobe::Settle;

namespace {

QString g_programDir;
QString g_workDir;
TileServer* g_tiles = nullptr;
const QColor kTileColour(90, 140, 200);

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

CGPSData Fix(const char* status, const char* lat, const char* lng, double speedKnots = 16.2) {
  const std::string text = std::string("GPRMC,010203.000,") + status + "," + lat + ",N," + lng +
                           ",E," + std::to_string(speedKnots) + ",90.0,010124,,,A";
  CGPSData fix;
  zv::ParseGpsText(fix, 0, text.c_str());
  return fix;
}

void AddFix(uint32_t timeMs, const char* status, const char* lat, const char* lng) {
  std::array<uint8_t, zv::kSensorRecordSize> record{};
  const std::string text = std::string("GPRMC,010203.000,") + status + "," + lat + ",N," + lng +
                           ",E,30.0,90.0,010124,,,A";
  std::memcpy(record.data(), text.data(), text.size());
  zv::DispatchSensorRecord(record.data(), timeMs);
}

// A straight road of `count` fixes going east, 0.05' of longitude apart,
// with a stop of `stopFixes` fixes at fix `stopAt`.
zv::MapRoute StraightRoute(int count, int stopAt = 0, int stopFixes = 0) {
  zv::MapRoute route;
  for (int i = 0, place = 0; i < count; ++i) {
    const std::string lng = std::to_string(12658.0 + 0.05 * place);
    route.AppendFix(Fix("A", "3733.9900", lng.c_str()), i * 1000);
    if (i < stopAt || i >= stopAt + stopFixes) ++place;
  }
  return route;
}

// Takes the URLs the program would open in the user's browser.
class UrlCatcher : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> opened;
  Q_INVOKABLE void open(const QUrl& url) { opened.append(url); }
};

void MoveMarkerAlong(CMapViewWnd* view, const zv::MapRoute& route, int index) {
  const zv::MapRoutePoint& p = route.Runs()[0][index];
  CallPageScript(view, QString::asprintf("javascript:positionChange('%lf', '%lf')", p.latitudeDeg,
                                         p.longitudeDeg));
}

// The map view in a stand-in main window with its page loaded.
class MapPageE2ETest : public ::testing::Test {
 protected:
  void SetUp() override {
    mainWindow.show();
    view = std::make_unique<CMapViewWnd>(mainWindow.panel);
    ASSERT_EQ(CMapViewWnd::Instance(), view.get());
    page = new mapprobe::ErrorRecordingPage(view.get());
    view->setPage(page);
    loaded = std::make_unique<QSignalSpy>(view.get(), &QWebEngineView::loadFinished);
    LoadMapPageFrom(g_programDir);
    ASSERT_TRUE(loaded->wait(30000)) << "the map page did not load";
    ASSERT_TRUE(loaded->first().first().toBool()) << "the map page failed to load";
    AttachMapView(mainWindow.panel);
  }
  void TearDown() override {
    EXPECT_TRUE(page->errors.isEmpty()) << page->errors.join('\n').toStdString();
    SetMapHostWindow(nullptr);
    zv::ClearSensorRecords();
    view.reset();
  }
  QString Ask(const QString& call) { return mapprobe::Ask(view.get(), "javascript:" + call); }

  MainWindowStandIn mainWindow;
  std::unique_ptr<CMapViewWnd> view;
  mapprobe::ErrorRecordingPage* page = nullptr;
  std::unique_ptr<QSignalSpy> loaded;
};

TEST_F(MapPageE2ETest, MarkerPathAndStateSurviveDockingRoundTrip) {
  EXPECT_EQ(view->parentWidget(), mainWindow.panel);
  EXPECT_EQ(view->size(), QSize(400, 300));
  EXPECT_EQ(view->url(), MapSchemeHandler::PageUrl());

  // A missing function does nothing; before any fix there is no marker.
  EXPECT_EQ(Ask("noSuchFunction('1')"), QString());
  EXPECT_EQ(Ask("markerPosition()"), QString());

  zv::ClearSensorRecords();
  AddFix(1000, "A", "3733.9900", "12658.6800");
  AddFix(2000, "V", "3800.0000", "12700.0000");
  AddFix(3000, "A", "3734.2000", "12659.1000");
  ShowMapPosition(500);
  EXPECT_EQ(Ask("markerPosition()"), QStringLiteral("37.566500,126.978000"));
  ShowMapPosition(1500);  // an invalid fix leaves the marker where it was
  EXPECT_EQ(Ask("markerPosition()"), QStringLiteral("37.566500,126.978000"));

  const QString pageLoadId = Evaluate(view.get(), "pageLoadId");
  ASSERT_FALSE(pageLoadId.isEmpty());

  // Undock: the view moves into the map window with its page.
  CMapDlg mapWindow;
  SetMapHostWindow(&mainWindow);
  SetMapMode(kMapUndocked);
  EXPECT_EQ(MapMode(), kMapUndocked);
  EXPECT_TRUE(mapWindow.isVisible());
  EXPECT_EQ(view->parentWidget(), mapWindow.mapPanel);
  EXPECT_EQ(mapWindow.mapPanel->hostedView, view.get());
  EXPECT_EQ(mainWindow.panel->hostedView, nullptr);
  EXPECT_FALSE(mainWindow.mapButton->isVisible());
  EXPECT_FALSE(mainWindow.positionText->isVisible());
  ShowMapPosition(2500);
  EXPECT_EQ(Ask("markerPosition()"), QStringLiteral("37.570000,126.985000"));
  mapWindow.resize(500, 420);
  Settle(50);
  EXPECT_EQ(view->size(), QSize(490, 355));

  // Dock again with the close button: same page, same marker, same path.
  mapWindow.closeButton->click();
  EXPECT_EQ(MapMode(), kMapDocked);
  EXPECT_FALSE(mapWindow.isVisible());
  EXPECT_EQ(view->parentWidget(), mainWindow.panel);
  EXPECT_EQ(view->size(), QSize(400, 300));
  EXPECT_TRUE(mainWindow.mapButton->isVisible());
  EXPECT_TRUE(mainWindow.positionText->isVisible());
  EXPECT_EQ(Ask("markerPosition()"), QStringLiteral("37.570000,126.985000"));
  EXPECT_EQ(Ask("pathPointCount()"), QStringLiteral("2"));
  EXPECT_EQ(Evaluate(view.get(), "pageLoadId"), pageLoadId) << "the page was reloaded";
  EXPECT_EQ(loaded->count(), 1);
}

TEST_F(MapPageE2ETest, RouteBreaksAtFixesWithoutPositionAndBetweenRecordings) {
  zv::MapRoute route;
  route.AppendFix(Fix("A", "3733.9900", "12658.6800"), 0);
  route.AppendFix(Fix("A", "3734.0000", "12658.7000"), 1000);
  route.AppendFix(Fix("V", "", ""), 2000);
  route.AppendFix(Fix("A", "3734.1000", "12658.8000"), 3000);
  route.AppendFix(Fix("A", "", ""), 4000);  // valid status without a position
  route.AppendFix(Fix("A", "3734.2000", "12658.9000"), 5000);
  ShowMapRoute(route);
  EXPECT_EQ(Ask("routePointCount()"), QStringLiteral("4"));
  EXPECT_EQ(Ask("routeRunCount()"), QStringLiteral("3"));
  EXPECT_EQ(Ask("markerPosition()"), QString()) << "a new route shows no marker until a position";
  // The view fits the route: all of it is on screen.
  EXPECT_EQ(Evaluate(view.get(), "map.getBounds().contains(L.latLng(37.566500, 126.978000)) && "
                                 "map.getBounds().contains(L.latLng(37.570000, 126.981667))"),
            QStringLiteral("true"));

  // A trip: a second recording's fixes after a break never join the first's.
  zv::SensorRecordArray<CGPSData> second;
  CGPSData fix = Fix("A", "3740.0000", "12700.0000");
  second.Append(fix);
  fix = Fix("A", "3740.1000", "12700.1000");
  fix.timeMs = 1000;
  second.Append(fix);
  route.AppendRecording(second, 60000);
  ShowMapRoute(route);
  EXPECT_EQ(Ask("routePointCount()"), QStringLiteral("6"));
  EXPECT_EQ(Ask("routeRunCount()"), QStringLiteral("4"));

  // A recording without a fix: no route, no legend, no marker.
  ShowMapRoute(zv::MapRoute());
  EXPECT_EQ(Ask("routePointCount()"), QStringLiteral("0"));
  EXPECT_EQ(Ask("markerPosition()"), QString());
}

TEST_F(MapPageE2ETest, ASeekRestartsTheTrailInsteadOfDrawingAJump) {
  const zv::MapRoute route = StraightRoute(40);
  ShowMapRoute(route);
  for (int i = 0; i <= 5; ++i) MoveMarkerAlong(view.get(), route, i);
  EXPECT_EQ(Ask("pathPointCount()"), QStringLiteral("6"));
  MoveMarkerAlong(view.get(), route, 2);  // back: a seek
  EXPECT_EQ(Ask("pathPointCount()"), QStringLiteral("1"));
  MoveMarkerAlong(view.get(), route, 3);
  MoveMarkerAlong(view.get(), route, 5);  // playing fast skips a fix or two
  EXPECT_EQ(Ask("pathPointCount()"), QStringLiteral("4"));
  MoveMarkerAlong(view.get(), route, 35);  // far ahead: a seek
  EXPECT_EQ(Ask("pathPointCount()"), QStringLiteral("1"));
  EXPECT_EQ(Ask("trailLineCount()"), QStringLiteral("1"));

  // A new recording's route starts the trail afresh.
  ShowMapRoute(StraightRoute(10));
  EXPECT_EQ(Ask("pathPointCount()"), QStringLiteral("0"));

  // Waiting at a light for longer than a seek's reach is no seek.
  const zv::MapRoute withStop = StraightRoute(40, 5, 30);
  ShowMapRoute(withStop);
  for (int i = 0; i < 40; ++i) MoveMarkerAlong(view.get(), withStop, i);
  EXPECT_EQ(Ask("pathPointCount()"), QStringLiteral("40"));
  EXPECT_EQ(Ask("trailLineCount()"), QStringLiteral("1"));
}

TEST_F(MapPageE2ETest, ATrailOffTheRouteStaysBoundedAndBreaksAtJumps) {
  // Twenty minutes of positions, 5 a second, none on a route: the trail
  // keeps a bounded tail.
  Evaluate(view.get(),
           "for (var i = 0; i < 6000; ++i)"
           "  positionChange(String(37.5 + i * 1e-5), String(127 + (i % 7) * 1e-5));");
  const int kept = Ask("pathPointCount()").toInt();
  EXPECT_GT(kept, 100);
  EXPECT_LE(kept, 2000);
  EXPECT_EQ(Ask("markerPosition()"), QStringLiteral("37.559990,127.000000"));
  // A jump of kilometres off the route starts a new line.
  CallPageScript(view.get(), "javascript:positionChange('37.900000', '127.200000')");
  EXPECT_EQ(Ask("trailLineCount()"), QStringLiteral("2"));
}

TEST_F(MapPageE2ETest, AnOfflineMapFileTakesOverWhereItCoversTheView) {
  // A small file around the route, for zooms 12 to 14.
  const MbTilesArea area{37.55, 126.95, 37.60, 127.00, 12, 14};
  ASSERT_EQ(MakeMbTiles(zv::MapDataFolder() + "/box.mbtiles", "Box", QColor(150, 110, 190), area,
                        g_workDir + "/box-tiles"),
            "");
  MapWebProfile::Instance().ReloadTileSources();
  view->RefreshTileSources();
  ShowMapRoute(StraightRoute(10));  // fits the view inside the box, deeper than its tiles
  EXPECT_EQ(Ask("tileSource()"), "file:Box");
  Evaluate(view.get(), "map.setView([37.57, 126.97], 10, { animate: false })");  // above its zooms
  EXPECT_EQ(Ask("tileSource()"), "online");
  Evaluate(view.get(), "map.setView([35.0, 129.0], 13, { animate: false })");  // outside it
  EXPECT_EQ(Ask("tileSource()"), "online");
  Evaluate(view.get(), "map.setView([37.57, 126.97], 13, { animate: false })");
  EXPECT_EQ(Ask("tileSource()"), "file:Box");
  // Taken away again: the page goes back to the server at once.
  QFile::remove(zv::MapDataFolder() + "/box.mbtiles");
  MapWebProfile::Instance().ReloadTileSources();
  view->RefreshTileSources();
  EXPECT_EQ(Ask("tileSource()"), "online");
}

TEST_F(MapPageE2ETest, TilesComeFromTheServerAndLinksOpenOutsideThePage) {
  ASSERT_TRUE(mapprobe::WaitFor([&] { return !g_tiles->requests.isEmpty(); }));
  EXPECT_EQ(Ask("tileSource()"), QStringLiteral("online"));
  // A link clicked in the attribution goes to the user's browser; the page
  // stays.
  UrlCatcher catcher;
  QList<QUrl>& opened = catcher.opened;
  QDesktopServices::setUrlHandler("https", &catcher, "open");
  const QString pageLoadId = Evaluate(view.get(), "pageLoadId");
  Evaluate(view.get(), "document.querySelector('.leaflet-control-attribution a[href*=openstreetmap]').click()");
  EXPECT_TRUE(mapprobe::WaitFor([&] { return !opened.isEmpty(); }, 5000));
  QDesktopServices::unsetUrlHandler("https");
  EXPECT_EQ(opened.value(0), QUrl("https://www.openstreetmap.org/copyright"));
  Settle(300);
  EXPECT_EQ(view->url(), MapSchemeHandler::PageUrl());
  EXPECT_EQ(Evaluate(view.get(), "pageLoadId"), pageLoadId);
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
  QDir(g_workDir).removeRecursively();
  mapprobe::PrepareForMapView(g_workDir + "/home");
  // Keep Chromium from reaching for the network itself.
  qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
          "--disable-background-networking --disable-component-update --no-first-run "
          "--disable-gpu --disable-features=Translate");
  QApplication app(argc, argv);
  TileServer tiles(kTileColour);
  if (!tiles.Listen()) return 1;
  g_tiles = &tiles;
  qputenv("ZV_MAP_TILE_URL", tiles.UrlTemplate().toUtf8());
  return RUN_ALL_TESTS();
}

#include "MapPageE2ETest.moc"
