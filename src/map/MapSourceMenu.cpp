// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/MapSourceMenu.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QUrl>

#include "map/CMapTileSourceDlg.h"
#include "map/CMapViewWnd.h"
#include "map/MapFolders.h"
#include "map/MapWebProfile.h"
#include "map/MbTilesFile.h"
#include "map/TileSourceSetting.h"
#include "platform/RegistryStore.h"

using zv::TileSourceSetting;

namespace {

TileSourceSetting StoredSetting() { return TileSourceSetting::Load(zv::RegistryStore::System()); }

void Store(CMapViewWnd* view, const TileSourceSetting& setting) {
  if (!setting.Save(zv::RegistryStore::System()))
    QMessageBox::warning(view, QStringLiteral("VARNI Viewer"), QStringLiteral("지도 설정을 저장할 수 없습니다."));
  MapWebProfile::Instance().ReloadTileSources();
  view->RefreshTileSources();
}

void OpenDataFolder() {
  const QString folder = zv::MapDataFolder();
  QDir().mkpath(folder);
  QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

void EditTileServer(CMapViewWnd* view) {
  CMapTileSourceDlg dialog(StoredSetting(), view);
  if (dialog.exec() == QDialog::Accepted) Store(view, dialog.Setting());
}

void ForgetMapFile(CMapViewWnd* view) {
  TileSourceSetting setting = StoredSetting();
  setting.mbtilesFile.clear();
  Store(view, setting);
}

}  // namespace

void ChooseMapFile(CMapViewWnd* view) {
  const QString path = QFileDialog::getOpenFileName(view, QStringLiteral("지도 파일 열기"), QString(),
                                                    QStringLiteral("지도 파일 (*.mbtiles)"));
  if (path.isEmpty()) return;
  QString error;
  if (!zv::MbTilesFile::Open(path, &error)) {
    QMessageBox::warning(view, QStringLiteral("VARNI Viewer"),
                         QStringLiteral("지도 파일을 열 수 없습니다.\n%1\n%2").arg(path, error));
    return;
  }
  TileSourceSetting setting = StoredSetting();
  setting.mbtilesFile = path;
  Store(view, setting);
}

void ShowMapSourceMenu(CMapViewWnd* view, const QPoint& globalPos) {
  QMenu menu(view);
  menu.addAction(QStringLiteral("지도 파일 열기..."), view, [view] { ChooseMapFile(view); });
  QAction* forget = menu.addAction(QStringLiteral("지도 파일 닫기"), view, [view] { ForgetMapFile(view); });
  forget->setEnabled(!StoredSetting().mbtilesFile.isEmpty());
  menu.addAction(QStringLiteral("지도 파일 폴더 열기"), view, [] { OpenDataFolder(); });
  menu.addSeparator();
  menu.addAction(QStringLiteral("타일 서버 설정..."), view, [view] { EditTileServer(view); });
  menu.exec(globalPos);
}
