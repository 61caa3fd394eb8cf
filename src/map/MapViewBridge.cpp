#include "map/MapViewBridge.h"

#include <QFileInfo>
#include <QUrl>
#include <QWebEnginePage>

#include "map/CMapViewWnd.h"
#include "map/CZvMapPanelCtrl.h"
#include "map/MapPositionCall.h"
#include "map/PageScriptCall.h"
#include "platform/ProgramLayout.h"
#include "sensors/SensorRecords.h"

QString MapPageUrlFor(const QString& programFolder) {
  if (programFolder.isEmpty()) return {};
  const QFileInfo page(programFolder + QStringLiteral("/map/Map.htm"));
  return QUrl::fromLocalFile(page.absoluteFilePath()).toString();
}

void LoadMapPage() {
  LoadMapPageFrom(QString::fromStdString(zv::ProgramLayout::Running().dataFolder));
}

void LoadMapPageFrom(const QString& programFolder) {
  CMapViewWnd* view = CMapViewWnd::Instance();
  const QString url = MapPageUrlFor(programFolder);
  if (view && !url.isEmpty()) view->load(QUrl(url));
}

void AttachMapView(CZvMapPanelCtrl* host) {
  CMapViewWnd* view = CMapViewWnd::Instance();
  if (!view || !host) return;
  if (auto* oldHost = qobject_cast<CZvMapPanelCtrl*>(view->parentWidget()))
    oldHost->OnDetachView(nullptr);
  view->setParent(host);
  host->hostedView = view;
  view->setGeometry(0, 0, host->width(), host->height());
  view->show();
  view->update();
  CenterMap(view);
}

void ShowMapPosition(uint32_t positionMs) {
  CMapViewWnd* view = CMapViewWnd::Instance();
  if (!view) return;
  if (const auto call = zv::MapPositionCall(zv::GpsRecords(), positionMs))
    CallPageScript(view, *call);
}

void CenterMap(QWebEngineView* view) {
  CallPageScript(view, QStringLiteral("javascript:toCenter()"));
}

void CallPageScript(QWebEngineView* view, const QString& callText,
                    std::function<void(const QString&)> onResult) {
  if (!view || callText.isEmpty()) return;
  const QString source = zv::PageScriptSource(zv::ParsePageScriptCall(callText));
  if (source.isEmpty()) {
    if (onResult) onResult(QString());
    return;
  }
  if (!onResult) {
    view->page()->runJavaScript(source);
    return;
  }
  view->page()->runJavaScript(source, [onResult](const QVariant& result) {
    onResult(result.typeId() == QMetaType::QString ? result.toString() : QString());
  });
}
