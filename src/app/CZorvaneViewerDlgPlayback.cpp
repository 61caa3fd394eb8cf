// The main window: opening a recording, pulling its sensor records, and the
// periodic update that keeps the slider, texts, instruments and map in step
// with playback.
#include <QMessageBox>
#include <QTimerEvent>

#include "app/CZorvaneViewerDlg.h"
#include "app/MainWindowCommands.h"
#include "app/PlaybackSettings.h"
#include "config/ViewerOptions.h"
#include "library/CZvListCtrl.h"
#include "library/PathNames.h"
#include "map/CMapDlg.h"
#include "map/CMapNoDataWnd.h"
#include "map/CZvMapPanelCtrl.h"
#include "map/MapMode.h"
#include "map/MapRoute.h"
#include "map/MapViewBridge.h"
#include "player/ParseFilterClient.h"
#include "sensors/CZvGsensorCtrl.h"
#include "sensors/CZvSpeedCtrl.h"
#include "sensors/CZvTextCtrl.h"
#include "sensors/SensorRecords.h"
#include "skin/CZvButtonCtrl.h"
#include "skin/CZvSimpleSliderCtrl.h"
#include "skin/CZvSliderCtrl.h"

using namespace zv;

namespace {
// A recording holds at most a few records a second; this many means the
// parse filter never reports the end, and the pull stops anyway.
constexpr int kMaxSensorRecords = 50'000'000;
}  // namespace

bool CZorvaneViewerDlg::EngineIs(std::initializer_list<PlayState> states) const {
  const CGraphPlayer* engine = player_.Engine();
  if (!engine) return false;
  for (PlayState s : states)
    if (engine->GetState() == s) return true;
  return false;
}

void CZorvaneViewerDlg::ShowPlayButton(bool play) {
  Button(kCmdPlay)->setVisible(play);
  Button(kCmdPause)->setVisible(!play);
}

void CZorvaneViewerDlg::PlayListItem(int row) {
  const std::string path = list_->RowFullPath(row);
  if (path.empty()) return;
  ShowScreensForViewMode();
  list_->SetCurrentRow(row);
  if (OpenRecording(path)) {
    ShowPlayButton(false);
  } else if (!EngineIs({Running})) {
    // A failed open has already moved on to the next row; its screens stay
    // hidden only when that did not start a recording either.
    HideScreens();
  }
}

bool CZorvaneViewerDlg::OpenRecording(const std::string& path) {
  player_.SetOptionFlag(0);
  if (CGraphPlayer* engine = player_.Engine()) engine->SetOptionFlag(0);
  if (!player_.Open(path) || (player_.Engine() && player_.Engine()->Run() < 0)) {
    QMessageBox::warning(this, "VARNI Viewer", "동영상을 플레이 할 수 없습니다.", QMessageBox::Ok);
    PlayNext();
    return false;
  }
  currentFileName_ = FileNameOfPath(path);
  EnablePlaybackControls();
  gsensorGraph_->timeWindowMs = static_cast<int>(player_.GetDurationMs());
  player_.SetVolume(muted_ ? 0 : VolumePercentFromLevel(volumeLevel_));
  if (player_.Engine()) player_.SetRate(RateFromSpeedSlider(speedSlider_->value()));
  player_.SetBrightness(brightSlider_->value() - 50);
  ClearSensorRecords();
  PullSensorRecords();
  ShowMapRoute(MapRoute::FromFixes(GpsRecords()));
  OnRecordingLoaded();
  ShowMapOrNoDataPanel();
  gsensorGraph_->update();
  ShowPlayButton(false);
  return true;
}

// Every record of the recording, until the parse filter reports the end. A
// filter without the sensor interface, or with any other answer, ends it too.
void CZorvaneViewerDlg::PullSensorRecords() {
  CGraphPlayer* engine = player_.Engine();
  GstElement* filter = engine && engine->Pipeline()
                           ? gst_bin_get_by_name(GST_BIN(engine->Pipeline()), kParseFilterElementName)
                           : nullptr;
  if (!filter) return;
  for (int pulled = 0; pulled < kMaxSensorRecords; ++pulled) {
    uint8_t buffer[kSensorRecordBufferSize] = {};
    uint32_t length = kSensorRecordBufferSize, timeMs = 0;
    auto source = ParseFilterClient::QuerySensorSource(filter);
    if (!source || source->ReadRecord(buffer, &length, &timeMs) != kReadRecordOk) break;
    DispatchSensorRecord(buffer, timeMs);
  }
  gst_object_unref(filter);
}

void CZorvaneViewerDlg::ShowMapOrNoDataPanel() {
  if (GpsRecords().Count() > 0) {
    mapPanel_->show();
    noDataPanel_->hide();
    if (MapMode() == kMapDocked) SetMapButtonVisible(true);
    return;
  }
  if (MapMode() != kMapDocked) SetMapMode(kMapDocked);
  mapPanel_->hide();
  noDataPanel_->show();
  SetMapButtonVisible(false);
}

void CZorvaneViewerDlg::EnablePlaybackControls() {
  for (int id : {kCmdCapture, kCmdPrint, kCmdRewind, kCmdForward}) SetButtonEnabled(id, true);
  gsensorText_->valuesShown = true;
  gsensorText_->update();
  seekSlider_->setEnabled(true);
  if (ViewerOptions::Instance().rearMirror && EngineIs({Running, Paused}) &&
      player_.Engine()->GetChannelCount() > 1)
    player_.SetRearMirror(true);
}

void CZorvaneViewerDlg::DisablePlaybackControls() {
  for (int id : {kCmdCapture, kCmdPrint, kCmdRewind, kCmdForward}) SetButtonEnabled(id, false);
  gsensorText_->valuesShown = false;
  gsensorText_->update();
  seekSlider_->setEnabled(false);
}

void CZorvaneViewerDlg::timerEvent(QTimerEvent* event) {
  if (event->timerId() == updateTimer_) UpdatePlayback();
  QDialog::timerEvent(event);
}

void CZorvaneViewerDlg::UpdatePlayback() {
  int64_t position = 0;
  if (CGraphPlayer* engine = player_.Engine()) engine->GetCurrentPosition(&position);
  const int64_t pos = position / kUnitsPerMs;
  const bool moved = pos != lastReadPositionMs_;
  lastReadPositionMs_ = pos;
  UpdatePlaybackAt(pos, moved);
}

// The update for a known moment: the engine's position on a tick, the target
// of a seek or step at once (the engine may still report the old position
// for a moment until the seek has gone through). While paused, everything
// follows a moment that changed, and a still picture leaves the texts as
// they are; while running they follow every tick.
void CZorvaneViewerDlg::UpdatePlaybackAt(int64_t pos, bool moved) {
  seekSlider_->update();
  if (!moved && EngineIs({Paused})) return;
  const bool playing = EngineIs({Running, Paused});
  timeText_->durationMs = playing ? static_cast<int32_t>(player_.GetDurationMs()) : 0;
  timeText_->positionMs = playing ? static_cast<int32_t>(pos) : 0;
  timeText_->update();
  gsensorGraph_->SetCursorMs(playing ? pos : -1);
  const int64_t dur = static_cast<int64_t>(player_.GetDurationMs());
  if (EngineIs({Paused})) {
    if (pos < 0) return;
    seekSlider_->setRange(0, static_cast<int>(dur));
    if (!seekSlider_->isSliderDown()) seekSlider_->setValue(static_cast<int>(pos));
    ShowInstrumentsAt(static_cast<uint32_t>(pos));
    return;
  }
  if (!EngineIs({Running})) return;

  if (pos >= dur || pos < 0) {
    seekSlider_->setValue(static_cast<int>(pos));
    seekSlider_->update();
    PlayNext();
    return;
  }
  seekSlider_->setRange(0, static_cast<int>(dur));
  seekSlider_->setValue(static_cast<int>(pos));
  ShowInstrumentsAt(static_cast<uint32_t>(pos));
}

// The map, speed, G-sensor values and position of one moment.
void CZorvaneViewerDlg::ShowInstrumentsAt(uint32_t at) {
  ShowMapPosition(at);
  double speed = 0;
  FindSpeed(at, speed);
  speedGauge_->speedKmh = speed;
  speedGauge_->Redraw();
  FindGSensor(at, gsensorText_->gx, gsensorText_->gy, gsensorText_->gz);
  gsensorText_->update();
  float latitude = 0, longitude = 0;
  FindPosition(at, latitude, longitude);
  for (CZvTextCtrl* text : {positionText_, mapWindow_->positionText}) {
    text->latitudeDeg = latitude;
    text->longitudeDeg = longitude;
    text->update();
  }
}

void CZorvaneViewerDlg::SeekAndShow(int64_t positionMs) {
  player_.SeekTo(static_cast<int32_t>(positionMs));
  UpdatePlaybackAt(positionMs, true);
}
