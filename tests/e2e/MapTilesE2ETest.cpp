// SPDX-License-Identifier: GPL-3.0-or-later
// The map of the real main window while it plays generated recordings, run
// by map_tiles_test.sh in three processes that share one home folder:
// 1. tiles from a real HTTP server started here arrive with the program's
//    User-Agent and a Referer and show in the map panel under the route of
//    each recording;
// 2. with that server gone, the tiles already seen show from the cache;
// 3. an MBTiles file made here with the sqlite3 tool is drawn with no server
//    (a broken one beside it is passed over).
#include <gst/gst.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QtTest/QTest>

#include "MapPageProbe.h"
#include "MbTilesMaker.h"
#include "TileServer.h"
#include "app/CZorvaneViewerDlg.h"
#include "app/StartupEnvironment.h"
#include "map/CMapViewWnd.h"
#include "map/CZvMapPanelCtrl.h"
#include "map/MapFolders.h"
#include "map/MapSchemeHandler.h"
#include "map/MapViewBridge.h"
#include "skin/CZvButtonCtrl.h"

using mapprobe::WaitFor;

namespace {

QString g_programDir;
QString g_workDir;
const QColor kOnlineColour(70, 130, 180);
const QColor kOfflineColour(150, 110, 190);
// Fixes of the recordings map_tiles_test.sh makes: one a second.
constexpr int kFirstRecordingFixes = 30;
constexpr int kSecondRecordingFixes = 12;

QString PortFile() { return g_workDir + "/tile-server-port"; }
QString Card() { return g_workDir + "/card"; }

class MapTilesE2ETest : public ::testing::Test {
 protected:
  void StartViewer() {
    dialog_ = std::make_unique<CZorvaneViewerDlg>();
    dialog_->OnInitDialog();
    // The test program is not in the program folder, where the page is.
    LoadMapPageFrom(g_programDir);
    dialog_->show();
    dialog_->OpenPaths({Card()});
  }
  void TearDown() override { dialog_.reset(); }

  QString Ask(const QString& call) { return mapprobe::Ask(CMapViewWnd::Instance(), "javascript:" + call); }
  bool RouteHas(int points) {
    return WaitFor([&] { return Ask("routePointCount()") == QString::number(points); });
  }
  QImage Panel() { return dialog_->MapPanel()->grab().toImage(); }
  // Waits until at least a third of the map panel shows the tiles' colour.
  bool PanelShows(const QColor& colour) {
    return WaitFor([&] { return mapprobe::ShareOfColour(Panel(), colour) > 0.33; }, 20000);
  }
  void SavePanel(const QString& name) { Panel().save(g_workDir + "/" + name + ".png"); }

  std::unique_ptr<CZorvaneViewerDlg> dialog_;
};

TEST_F(MapTilesE2ETest, OnlineTilesNameTheProgramAndShowUnderEachRecordingsRoute) {
  TileServer server(kOnlineColour);
  ASSERT_TRUE(server.Listen());
  QFile port(PortFile());
  ASSERT_TRUE(port.open(QIODevice::WriteOnly));
  port.write(QByteArray::number(server.Port()));
  port.close();
  qputenv("ZV_MAP_TILE_URL", server.UrlTemplate().toUtf8());
  StartViewer();

  ASSERT_TRUE(RouteHas(kFirstRecordingFixes));
  EXPECT_EQ(Ask("routeRunCount()"), "1");
  EXPECT_TRUE(PanelShows(kOnlineColour)) << "the server's tiles are not in the map panel";
  EXPECT_EQ(Ask("tileSource()"), "online");
  ASSERT_FALSE(server.requests.isEmpty());
  const QRegularExpression userAgent(R"(^ZorvaneViewer/\d+\.\d+\.\d+ \(VARNI Viewer; .+\)$)");
  for (const TileServer::Request& request : server.requests) {
    EXPECT_TRUE(userAgent.match(QString::fromLatin1(request.userAgent)).hasMatch())
        << request.path.constData() << ": User-Agent " << request.userAgent.constData();
    EXPECT_EQ(request.referer, "http://zorvane-viewer.invalid/") << request.path.constData();
  }
  // Playback moves the marker along the route.
  EXPECT_TRUE(WaitFor([&] { return !Ask("markerPosition()").isEmpty(); }));
  mapprobe::Settle(500);
  SavePanel("online-tiles");

  // The next recording's route replaces the first; nothing joins them.
  dialog_->PlayListItem(1);
  ASSERT_TRUE(RouteHas(kSecondRecordingFixes));
  EXPECT_EQ(Ask("routeRunCount()"), "1");
  // A recording whose fixes are all without a position: no route, and no
  // marker even while it plays.
  dialog_->PlayListItem(2);
  ASSERT_TRUE(RouteHas(0));
  mapprobe::Settle(1000);
  EXPECT_EQ(Ask("markerPosition()"), "");
}

TEST_F(MapTilesE2ETest, TilesAlreadySeenShowFromTheCacheWithTheServerGone) {
  QFile port(PortFile());
  ASSERT_TRUE(port.open(QIODevice::ReadOnly)) << "the online test runs first";
  const QByteArray number = port.readAll().trimmed();
  qputenv("ZV_MAP_TILE_URL", "http://127.0.0.1:" + number + "/{z}/{x}/{y}.png");
  StartViewer();
  ASSERT_TRUE(RouteHas(kFirstRecordingFixes));
  EXPECT_TRUE(PanelShows(kOnlineColour)) << "the cached tiles are not in the map panel";
  SavePanel("cached-tiles");
}

TEST_F(MapTilesE2ETest, AnOfflineMapFileIsDrawnWithNoServer) {
  // Nothing listens there and nothing of it is in the cache.
  qputenv("ZV_MAP_TILE_URL", "http://127.0.0.1:9/{z}/{x}/{y}.png");
  const QString folder = zv::MapDataFolder();
  QDir().mkpath(folder);
  // Central Seoul, where the recordings drive.
  const MbTilesArea seoul{37.55, 126.95, 37.59, 127.01, 10, 16};
  ASSERT_EQ(MakeMbTiles(folder + "/seoul.mbtiles", "Seoul test", kOfflineColour, seoul,
                        g_workDir + "/mbtiles-pictures"),
            "");
  // A broken file beside it is passed over.
  QFile broken(folder + "/broken.mbtiles");
  ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
  broken.write("this is not an SQLite database");
  broken.close();
  StartViewer();
  ASSERT_TRUE(RouteHas(kFirstRecordingFixes));
  EXPECT_TRUE(WaitFor([&] { return Ask("tileSource()") == "file:Seoul test"; }));
  EXPECT_TRUE(PanelShows(kOfflineColour)) << "the map file's tiles are not in the map panel";
  mapprobe::Settle(500);
  SavePanel("offline-file");
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
  // The three runs share this home: its cache is what the second one reads.
  mapprobe::PrepareForMapView(g_workDir + "/home");
  QApplication app(argc, argv);
  gst_init(&argc, &argv);
  if (!zv::RegisterParseFilter(g_programDir.toStdString())) return 1;
  return RUN_ALL_TESTS();
}
