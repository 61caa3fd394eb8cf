// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's commands: buttons, both popup menus, keys, sliders and
// the messages of its controls. A command whose engine state does not allow
// it does nothing and shows nothing.
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenu>

#include "app/CZorvaneViewerDlg.h"
#include "app/MainWindowCommands.h"
#include "app/PlaybackSettings.h"
#include "config/CSettingDlg.h"
#include "config/ViewerOptions.h"
#include "library/CZvListCtrl.h"
#include "library/FolderBrowser.h"
#include "library/PathNames.h"
#include "library/RecordingLibrary.h"
#include "map/CMapViewWnd.h"
#include "map/MapMode.h"
#include "output/CZoomDlg.h"
#include "output/ReportPrinter.h"
#include "sensors/CZvTextCtrl.h"
#include "sensors/ViewerContextMenu.h"
#include "skin/CZvButtonCtrl.h"
#include "skin/CZvSimpleSliderCtrl.h"
#include "skin/CZvSliderCtrl.h"
#include "skin/CZvVolumeCtrl.h"
#include "skin/WindowMessages.h"

using namespace zv;

void CZorvaneViewerDlg::OnCommand(int id) {
  switch (id) {
    case kCmdOpen: case kMenuOpen: OpenFolder(); break;
    case kCmdCapture: OnCapture(); break;
    case kCmdPrint: OnPrint(); break;
    case kCmdSetting: OnSetting(); break;
    case kCmdZoom: zoomWindow_->ToggleShown(); break;
    case kCmdAbout: case kMenuAbout: ShowAboutBox(); break;
    case kCmdMin: showMinimized(); break;
    case kCmdMax: ToggleMaximised(); break;
    case kCmdClose: CloseMainWindow(); break;
    case kCmdPrev: case kMenuPrev: PlayPrevious(); break;
    case kCmdRewind: StepBack(); break;
    case kCmdPlay: PlayOrResume(); break;
    case kCmdPause: PausePlayback(); break;
    case kMenuPlayPause:
      if (EngineIs({Paused})) PlayOrResume();
      else PausePlayback();
      break;
    case kCmdForward: StepForward(); break;
    case kCmdNext: case kMenuNext: PlayNext(); break;
    case kCmdSpeedReset: case kMenuSpeedReset: ResetRate(); break;
    case kMenuFaster: StepRate(10); break;
    case kMenuSlower: StepRate(-10); break;
    case kCmdBrightReset: case kMenuBrightReset: ResetBrightness(); break;
    case kMenuDarker: StepBrightness(-10); break;
    case kMenuBrighter: StepBrightness(10); break;
    case kCmdMute: case kMenuMute: SetMute(!muted_); break;
    case kMenuVolumeUp: VolumeUp(); break;
    case kMenuVolumeDown: VolumeDown(); break;
    case kCmdMap: SetMapMode(kMapUndocked); break;
    case kCmdFilterAll: case kMenuShowAll: SetListFilter(AllKinds, currentFileName_); break;
    case kCmdFilterNormal: case kMenuShowContinuous: SetListFilter(ContinuousKind, currentFileName_); break;
    case kCmdFilterEvent: case kMenuShowEvent: SetListFilter(EventKind, currentFileName_); break;
    case kCmdFilterParking: case kMenuShowParking: SetListFilter(ParkingKind, currentFileName_); break;
    case kCmdViewFront: case kCmdViewRear: case kCmdViewAll: {
      const int mode = id == kCmdViewFront ? 1 : id == kCmdViewRear ? 2 : 3;
      if (EngineIs({Stopped, NoGraph})) {
        if (mode == viewMode_) SetButtonSelected(id, true);
        break;
      }
      ApplyViewMode(mode);
      break;
    }
    default: OnTimelineCommand(id); break;
  }
}

bool CZorvaneViewerDlg::PreTranslateMessage(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Space:
      if (EngineIs({Paused})) PlayOrResume();
      else PausePlayback();
      return true;
    case Qt::Key_Left: StepBack(); return true;
    case Qt::Key_Right: StepForward(); return true;
    case Qt::Key_Up: VolumeUp(); return true;
    case Qt::Key_Down: VolumeDown(); return true;
    case Qt::Key_F4:
      if (!(event->modifiers() & Qt::AltModifier)) return false;
      CloseMainWindow();
      return true;
    default: return PreTranslateTimelineKey(event);
  }
}

void CZorvaneViewerDlg::ShowPopupMenu(const QPoint& globalPos) {
  QMenu* menu = CreateViewerContextMenu(this);
  AddTimelineMenus(menu);
  if (QAction* chosen = menu->exec(globalPos)) OnCommand(chosen->data().toInt());
  delete menu;
}

// ---- Opening recordings -------------------------------------------------

void CZorvaneViewerDlg::OpenFolder() {
  QString folder;
  if (!BrowseForFolder(this, QString(), folder)) return;
  RecordingLibrary::Instance().Clear();
  RecordingLibrary::Instance().ScanFolder(folder.toStdString());
  OpenPaths({});
}

void CZorvaneViewerDlg::OpenPaths(const QStringList& paths) {
  for (const QString& path : paths) {
    if (QFileInfo(path).isDir()) RecordingLibrary::Instance().ScanFolder(AsFolder(path.toStdString()));
    else RecordingLibrary::Instance().AddPath(QFileInfo(path).absoluteFilePath().toStdString());
  }
  list_->filterKind = AllKinds;
  SetButtonSelected(kCmdFilterAll, true);
  for (int id : {kCmdFilterNormal, kCmdFilterEvent, kCmdFilterParking}) SetButtonSelected(id, false);
  list_->Fill(AllKinds);
  if (list_->RowCount() < 1) {
    StopPlayback(true);
  } else {
    StopPlayback(false);
    PlayListItem(0);
  }
  QMetaObject::invokeMethod(this, &CZorvaneViewerDlg::OnRecordingsChanged, Qt::QueuedConnection);
}

void CZorvaneViewerDlg::StopPlayback(bool hideScreens) {
  opener_.Cancel();
  deferredCommands_.clear();
  if (hideScreens) HideScreens();
  if (CGraphPlayer* engine = player_.Engine()) engine->Stop();
  ShowPlayButton(true);
  seekSlider_->setValue(0);
  seekSlider_->update();
  DisablePlaybackControls();
}

void CZorvaneViewerDlg::PlayRowIfPresent(int row) {
  if (FileExists(list_->RowFullPath(row))) PlayListItem(row);
  else HideScreens();
}

void CZorvaneViewerDlg::PlayNext() {
  const int n = list_->RowCount(), r = list_->currentRow;
  StopPlayback(false);
  if (n < 1 || r < 0) return HideScreens();
  if (r + 1 < n) return PlayRowIfPresent(r + 1);
  list_->SelectRow(0);
  currentFileName_ = list_->RowFileName(0);
  HideScreens();
}

void CZorvaneViewerDlg::PlayPrevious() {
  const int n = list_->RowCount(), r = list_->currentRow;
  StopPlayback(false);
  if (n < 1 || r < 0 || r - 1 < 0) return HideScreens();
  PlayRowIfPresent(r - 1);
}

// ---- Transport ----------------------------------------------------------

void CZorvaneViewerDlg::PlayOrResume() {
  CGraphPlayer* engine = player_.Engine();
  if (!engine) return;
  if (engine->GetState() == Paused) {
    engine->Run();
    ShowPlayButton(false);
  } else if (engine->GetState() == Stopped && list_->currentRow >= 0 &&
             !list_->RowFullPath(list_->currentRow).empty()) {
    PlayListItem(list_->currentRow);
  }
}

void CZorvaneViewerDlg::PausePlayback() {
  if (DeferUntilOpened(&CZorvaneViewerDlg::PausePlayback) || !EngineIs({Running})) return;
  player_.Engine()->Pause();
  ShowPlayButton(true);
}

void CZorvaneViewerDlg::StepBack() {
  if (DeferUntilOpened(&CZorvaneViewerDlg::StepBack) || !EngineIs({Running})) return;
  int64_t position = 0;
  player_.Engine()->GetCurrentPosition(&position);
  const int64_t step = static_cast<int64_t>(ViewerOptions::Instance().playStep) * 1000;
  SeekAndShow(std::max<int64_t>(position / kUnitsPerMs - step, 0));
}

void CZorvaneViewerDlg::StepForward() {
  if (DeferUntilOpened(&CZorvaneViewerDlg::StepForward) || !EngineIs({Running})) return;
  int64_t position = 0;
  player_.Engine()->GetCurrentPosition(&position);
  const int64_t step = static_cast<int64_t>(ViewerOptions::Instance().playStep) * 1000;
  const int64_t duration = static_cast<int64_t>(player_.GetDurationMs());
  SeekAndShow(std::min(position / kUnitsPerMs + step, duration));
}

// ---- Rate, brightness, volume -------------------------------------------

// Only a playing or paused recording takes a new rate; the player pauses,
// sets it, and runs again only when it was running.
void CZorvaneViewerDlg::SetEngineRate(float rate) {
  if (EngineIs({Running, Paused})) player_.SetRate(rate);
}

void CZorvaneViewerDlg::ResetRate() {
  timeText_->rate = 1.0f;
  timeText_->update();
  SetEngineRate(1.0f);
  speedSlider_->setValue(50);
}

void CZorvaneViewerDlg::StepRate(int delta) {
  const int p = std::clamp(speedSlider_->value() + delta, 0, 100);
  speedSlider_->setValue(p);
  const float rate = RateFromSpeedSlider(p);
  timeText_->rate = rate;
  timeText_->update();
  SetEngineRate(rate);
}

void CZorvaneViewerDlg::OnSpeedScroll() {
  const float rate = RateFromSpeedSlider(speedSlider_->value());
  timeText_->rate = rate;
  timeText_->update();
  SetEngineRate(rate);
}

void CZorvaneViewerDlg::ResetBrightness() {
  if (EngineIs({Running, Paused})) player_.SetBrightness(0);
  brightSlider_->setValue(50);
}

void CZorvaneViewerDlg::StepBrightness(int delta) {
  const int p = std::clamp(brightSlider_->value() + delta, 0, 100);
  brightSlider_->setValue(p);
  if (!EngineIs({NoGraph, Stopped})) player_.SetBrightness(p - 50);
}

void CZorvaneViewerDlg::OnBrightnessScroll() {
  if (EngineIs({Running, Paused})) player_.SetBrightness(brightSlider_->value() - 50);
}

void CZorvaneViewerDlg::OnSeekScroll(int code) {
  if (code < SB_PAGELEFT || code > SB_THUMBTRACK) return;
  if (!EngineIs({NoGraph, Stopped})) SeekAndShow(seekSlider_->value());
}

void CZorvaneViewerDlg::SetMute(bool on) {
  muted_ = on;
  player_.SetVolume(on ? 0 : VolumePercentFromLevel(volumeLevel_));
  CZvButtonCtrl* mute = Button(kCmdMute);
  mute->normalImage = on ? 19241 : 19243;
  mute->hoverImage = 0;
  mute->disabledImage = 0;
  mute->Redraw();
}

void CZorvaneViewerDlg::VolumeUp() {
  if (volumeLevel_ + 1 > 10) return;
  volume_->level = ++volumeLevel_;
  volume_->update();
  player_.SetVolume(VolumePercentFromLevel(volumeLevel_));
}

void CZorvaneViewerDlg::VolumeDown() {
  if (volumeLevel_ - 1 < 0) return;
  volume_->level = --volumeLevel_;
  volume_->update();
  player_.SetVolume(VolumePercentFromLevel(volumeLevel_));
}

void CZorvaneViewerDlg::OnVolumeLevel(int level) {
  volumeLevel_ = level;
  if (muted_) {
    muted_ = false;
    Button(kCmdMute)->normalImage = 19243;
    Button(kCmdMute)->Redraw();
  }
  player_.SetVolume(VolumePercentFromLevel(level));
}

// ---- The list -------------------------------------------------------------

void CZorvaneViewerDlg::SetListFilter(int filter, const std::string& name) {
  if (filter != AllKinds && RecordingLibrary::Instance().CountOfKind(filter) < 1) return;
  list_->filterKind = filter;
  const std::pair<int, int> buttons[] = {{kCmdFilterAll, AllKinds}, {kCmdFilterNormal, ContinuousKind},
                                         {kCmdFilterEvent, EventKind}, {kCmdFilterParking, ParkingKind}};
  for (const auto& [id, kind] : buttons) SetButtonSelected(id, kind == filter);
  list_->Fill(filter);
  if (name.empty()) return;
  const int row = list_->FindRowByFileName(name);
  list_->SelectRow(row >= 0 ? row : 0);
}

void CZorvaneViewerDlg::OnRecordingsChanged() {
  const int ids[] = {kCmdFilterAll, kCmdFilterNormal, kCmdFilterEvent, kCmdFilterParking};
  bool present[5] = {};
  for (const RecordingEntry& entry : RecordingLibrary::Instance().Entries()) {
    present[AllKinds] = true;
    if (entry.kind >= ContinuousKind && entry.kind <= ParkingKind) present[entry.kind] = true;
  }
  const int kinds[] = {AllKinds, ContinuousKind, EventKind, ParkingKind};
  for (int i = 0; i < 4; ++i) {
    Button(ids[i])->enabled = present[kinds[i]] ? 1 : 0;
    Button(ids[i])->Redraw();
  }
}

// ---- Dialogs --------------------------------------------------------------

void CZorvaneViewerDlg::OnSetting() {
  CSettingDlg dialog(this);
  const bool pausedHere = EngineIs({Running});
  if (pausedHere) {
    player_.Engine()->Pause();
    ShowPlayButton(true);
  }
  if (dialog.exec() == QDialog::Accepted && EngineIs({Running, Paused}) &&
      player_.Engine()->GetChannelCount() > 1)
    player_.SetRearMirror(ViewerOptions::Instance().rearMirror);
  if (pausedHere && player_.Engine()) {
    player_.Engine()->Run();
    ShowPlayButton(false);
  }
}

void CZorvaneViewerDlg::OnPrint() {
  if (DeferUntilOpened(&CZorvaneViewerDlg::OnPrint) || !EngineIs({Running, Paused})) return;
  player_.Engine()->Pause();
  ShowPlayButton(true);
  PrintReport(this, player_, list_->CurrentFileName(), CMapViewWnd::Instance());
}

// The picture stays still while the user reads the message.
void CZorvaneViewerDlg::OnCapture() {
  if (DeferUntilOpened(&CZorvaneViewerDlg::OnCapture) || !EngineIs({Running, Paused})) return;
  player_.Engine()->Pause();
  ShowPlayButton(true);
  capture_.Capture(player_, list_->CurrentFileName(), ViewerOptions::Instance().saveFolder);
}
