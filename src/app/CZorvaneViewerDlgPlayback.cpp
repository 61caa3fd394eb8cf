// SPDX-License-Identifier: GPL-3.0-or-later
// The main window: opening a recording, pulling its sensor records, and the
// periodic update that keeps the slider, texts, instruments and map in step
// with playback.
#include <QMessageBox>
#include <algorithm>
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
#include "sensors/CZvGsensorCtrl.h"
#include "sensors/CZvSpeedCtrl.h"
#include "sensors/CZvTextCtrl.h"
#include "sensors/SensorRecords.h"
#include "skin/CZvButtonCtrl.h"
#include "skin/CZvScreenCtrl.h"
#include "skin/CZvSimpleSliderCtrl.h"
#include "skin/CZvSliderCtrl.h"

using namespace zv;

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
  OpenRecording(path);
}

// The open in the order the viewer has always kept: the option flag, the
// engine's open and Run, the controls and settings, the sensor records, the
// map or no-data panel and the graph. The parse filter's load and the pull of
// the records run on the opener's thread between the first two steps; a
// second open supersedes this one, and Stop cancels it.
void CZorvaneViewerDlg::OpenRecording(const std::string& path) {
  player_.SetOptionFlag(0);
  if (CGraphPlayer* engine = player_.Engine()) engine->SetOptionFlag(0);
  deferredCommands_.clear();
  if (!player_.BeginOpen(path)) return ReportOpenFailure();
  opener_.Start(path, player_.OptionFlag());
}

void CZorvaneViewerDlg::FinishOpenRecording(RecordingOpener::Result loaded) {
  const std::string path = loaded.graph.path;
  if (!player_.FinishOpen(std::move(loaded.graph)) || (player_.Engine() && player_.Engine()->Run() < 0))
    return ReportOpenFailure();
  // A recording without a rear channel leaves nothing of the last one there.
  if (player_.Engine() && player_.Engine()->GetChannelCount() < 2) rearScreen_->ClearFrame();
  currentFileName_ = FileNameOfPath(path);
  EnablePlaybackControls();
  gsensorGraph_->timeWindowMs = static_cast<int>(player_.GetDurationMs());
  player_.SetVolume(muted_ ? 0 : VolumePercentFromLevel(volumeLevel_));
  if (player_.Engine()) player_.SetRate(RateFromSpeedSlider(speedSlider_->value()));
  player_.SetBrightness(brightSlider_->value() - 50);
  ClearSensorRecords();
  DispatchSensorRecords(loaded.records);
  ShowMapRoute(MapRoute::FromFixes(GpsRecords()));
  OnRecordingLoaded();
  ShowMapOrNoDataPanel();
  gsensorGraph_->update();
  ShowPlayButton(false);
  auto deferred = std::move(deferredCommands_);
  deferredCommands_.clear();
  for (auto command : deferred) (this->*command)();
}

// The recording cannot be played: say so and go on with the next row. Its
// screens are hidden unless that started another recording (or is opening
// one).
void CZorvaneViewerDlg::ReportOpenFailure() {
  deferredCommands_.clear();
  QMessageBox::warning(this, "VARNI Viewer", "동영상을 플레이 할 수 없습니다.", QMessageBox::Ok);
  PlayNext();
  if (!EngineIs({Running}) && !opener_.Pending()) HideScreens();
}

bool CZorvaneViewerDlg::DeferUntilOpened(void (CZorvaneViewerDlg::*command)()) {
  if (!opener_.Pending()) return false;
  deferredCommands_.push_back(command);
  return true;
}

// The records in the order the parse filter handed them over, each in a
// zeroed buffer of the record size.
void CZorvaneViewerDlg::DispatchSensorRecords(const std::vector<PulledSensorRecord>& records) {
  for (const PulledSensorRecord& record : records) {
    uint8_t buffer[kSensorRecordBufferSize] = {};
    std::copy(record.bytes.begin(), record.bytes.end(), buffer);
    DispatchSensorRecord(buffer, record.timeMs);
  }
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
