// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's timeline: the playback cursor and seeking on the
// G-sensor graph, the event and clip marks on the seek bar, frame steps, the
// list's grouping by trip and the trip's route on the map.
#include <QActionGroup>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>

#include "app/CZorvaneViewerDlg.h"
#include "app/MainWindowCommands.h"
#include "config/ViewerRegistrySettings.h"
#include "library/CZvListCtrl.h"
#include "map/MapViewBridge.h"
#include "map/TripRouteLoader.h"
#include "platform/RegistryStore.h"
#include "sensors/CZvGsensorCtrl.h"
#include "sensors/GsensorEvents.h"
#include "sensors/SensorRecords.h"
#include "skin/CZvSliderCtrl.h"

using namespace zv;

void CZorvaneViewerDlg::InitTimeline() {
  list_->SetGroupByTrip(ViewerRegistrySettings(RegistryStore::System()).GroupByTrip());
  connect(gsensorGraph_, &CZvGsensorCtrl::seekRequested, this, &CZorvaneViewerDlg::SeekFromGraph);
  tripRoute_ = new TripRouteLoader(this);
  // A trip of one recording is the route the map already shows.
  connect(tripRoute_, &TripRouteLoader::routeLoaded, this, [](const MapRoute& route, int recordings) {
    if (recordings > 1) ShowMapRoute(route);
  });
}

// The whole trip's route replaces the recording's own when it is asked for.
void CZorvaneViewerDlg::LoadTripRoute() {
  std::vector<RecordingEntry> sameKind;
  size_t index = 0;
  if (OpenRecordingAmongItsKind(sameKind, index)) tripRoute_->Load(std::move(sameKind), index);
}

// A click on the graph seeks as the seek slider does.
void CZorvaneViewerDlg::SeekFromGraph(int64_t ms) {
  if (EngineIs({Running, Paused})) SeekAndShow(ms);
}

void CZorvaneViewerDlg::StepFrames(int frames) {
  int64_t positionMs = 0;
  if (EngineIs({Paused}) && player_.StepFrames(frames, &positionMs)) UpdatePlaybackAt(positionMs, true);
}

void CZorvaneViewerDlg::SetClipMark(bool start) {
  if (!EngineIs({Running, Paused})) return;
  int64_t position = 0;
  if (player_.Engine()->GetCurrentPosition(&position) != S_OK) return;  // a seek is still landing
  if (start) clipMarks_.SetIn(position / kUnitsPerMs);
  else clipMarks_.SetOut(position / kUnitsPerMs);
  ShowClipMarks();
}

void CZorvaneViewerDlg::ShowClipMarks() {
  seekSlider_->clipInMs = clipMarks_.In().value_or(-1);
  seekSlider_->clipOutMs = clipMarks_.Out().value_or(-1);
  seekSlider_->update();
}

// After an open: no clip marks, the events of the new recording, and its
// trip's route when the map is to show it.
void CZorvaneViewerDlg::OnRecordingLoaded() {
  if (ViewerRegistrySettings(RegistryStore::System()).TripRoute()) LoadTripRoute();
  clipMarks_.Clear();
  seekSlider_->markSpanMs = static_cast<int64_t>(player_.GetDurationMs());
  ShowClipMarks();
  ShowEventMarks();
}

void CZorvaneViewerDlg::ShowEventMarks() {
  const uint32_t threshold = ViewerRegistrySettings(RegistryStore::System()).EventThresholdCentiG();
  seekSlider_->eventMarksMs = FindGsensorEvents(GSensorRecords().Records(), threshold / 100.0);
  seekSlider_->update();
}

// Letters and punctuation belong to a dialog open over the main window (a
// file name being typed), so they step and mark only when none is.
bool CZorvaneViewerDlg::PreTranslateTimelineKey(QKeyEvent* event) {
  if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  const QWidget* modal = QApplication::activeModalWidget();
  if (modal && modal != this) return false;
  switch (event->key()) {
    case Qt::Key_Comma: StepFrames(-1); return true;
    case Qt::Key_Period: StepFrames(1); return true;
    case Qt::Key_I: SetClipMark(true); return true;
    case Qt::Key_O: SetClipMark(false); return true;
    default: return false;
  }
}

void CZorvaneViewerDlg::AddTimelineMenus(QMenu* menu) {
  menu->addSeparator();
  menu->addAction(QStringLiteral("GPS·센서 기록 내보내기..."))->setData(kMenuExportTrack);
  QAction* clip = menu->addAction(QStringLiteral("클립 내보내기..."));
  clip->setData(kMenuExportClip);
  clip->setEnabled(!OpenRecordingPath().empty());
  QAction* route = menu->addAction(QStringLiteral("지도에 여행 전체 경로 표시"));
  route->setCheckable(true);
  route->setChecked(ViewerRegistrySettings(RegistryStore::System()).TripRoute());
  route->setData(kMenuTripRoute);
  QMenu* events = menu->addMenu(QStringLiteral("이벤트 표시"));
  auto* choices = new QActionGroup(events);
  const uint32_t threshold = ViewerRegistrySettings(RegistryStore::System()).EventThresholdCentiG();
  for (size_t i = 0; i < std::size(kEventThresholdChoices); ++i) {
    const int centiG = kEventThresholdChoices[i];
    QAction* item = events->addAction(centiG == 0 ? QStringLiteral("끄기")
                                                  : QString::asprintf("%.1f g 이상", centiG / 100.0));
    item->setCheckable(true);
    item->setChecked(static_cast<uint32_t>(centiG) == threshold);
    item->setData(kMenuEventMarksOff + static_cast<int>(i));
    choices->addAction(item);
  }
}

void CZorvaneViewerDlg::OnTimelineCommand(int id) {
  if (id == kMenuExportTrack) {
    ExportTrack();
  } else if (id == kMenuExportClip) {
    ExportClip();
  } else if (id == kMenuTripRoute) {
    ViewerRegistrySettings settings(RegistryStore::System());
    settings.SetTripRoute(!settings.TripRoute());
    if (settings.TripRoute()) LoadTripRoute();
    else if (!OpenRecordingPath().empty()) ShowMapRoute(MapRoute::FromFixes(GpsRecords()));
  } else if (id == kMenuGroupByTrip) {
    list_->SetGroupByTrip(!list_->GroupByTrip());
    ViewerRegistrySettings(RegistryStore::System()).SetGroupByTrip(list_->GroupByTrip());
  } else if (id >= kMenuEventMarksOff && id < kMenuEventMarksOff + static_cast<int>(std::size(kEventThresholdChoices))) {
    ViewerRegistrySettings(RegistryStore::System()).SetEventThresholdCentiG(kEventThresholdChoices[id - kMenuEventMarksOff]);
    ShowEventMarks();
  }
}
