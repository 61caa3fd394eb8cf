// SPDX-License-Identifier: GPL-3.0-or-later
#include "map/MapViewBridge.h"

#include <QFileInfo>
#include <QWebEnginePage>

#include "map/CMapViewWnd.h"
#include "map/CZvMapPanelCtrl.h"
#include "map/MapPositionCall.h"
#include "map/MapRoute.h"
#include "map/MapSchemeHandler.h"
#include "map/MapWebProfile.h"
#include "map/PageScriptCall.h"
#include "platform/ProgramLayout.h"
#include "sensors/SensorRecords.h"

void LoadMapPage() {
  LoadMapPageFrom(QString::fromStdString(zv::ProgramLayout::Running().dataFolder));
}

void LoadMapPageFrom(const QString& programFolder) {
  CMapViewWnd* view = CMapViewWnd::Instance();
  if (!view || programFolder.isEmpty()) return;
  MapWebProfile::Instance().SetPageFolder(QFileInfo(programFolder + QStringLiteral("/map")).absoluteFilePath());
  view->load(MapSchemeHandler::PageUrl());
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

void ShowMapRoute(const zv::MapRoute& route) {
  if (CMapViewWnd* view = CMapViewWnd::Instance()) view->ShowRoute(route.ToJson());
}

void CenterMap(QWebEngineView* view) {
  CallPageScript(view, QStringLiteral("javascript:toCenter()"));
}

void CallPageScript(QWebEngineView* view, const QString& callText,
                    std::function<void(const QString&)> onResult) {
  if (!view || callText.isEmpty()) return;
  const zv::PageScriptCall call = zv::ParsePageScriptCall(callText);
  CallPageFunction(view, call.functionName, call.arguments, std::move(onResult));
}

void CallPageFunction(QWebEngineView* view, const QString& functionName,
                      const QStringList& arguments,
                      std::function<void(const QString&)> onResult) {
  if (!view) return;
  const QString source = zv::PageScriptSource({functionName, arguments});
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
