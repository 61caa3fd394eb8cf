// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QIcon>

#include <map>
#include <string>

#include "skin/FramelessWindowMover.h"
#include "app/MainWindowLayout.h"
#include "library/RecordingEntry.h"
#include "map/IMapHostWindow.h"
#include "output/ClipMarks.h"
#include "output/SnapshotCapture.h"
#include "player/CVideoPlayer.h"
#include "player/RecordingOpener.h"

class CMapDlg;
class CZoomDlg;
class CMapNoDataWnd;
class CZvButtonCtrl;
class CZvGsensorCtrl;
class CZvListCtrl;
class CZvMapPanelCtrl;
class CZvSpeedCtrl;
class CZvTextCtrl;
class CZvScreenCtrl;
class CZvSimpleSliderCtrl;
class CZvSliderCtrl;
class CZvVolumeCtrl;
namespace zv {
class TripRouteLoader;
}
class QKeyEvent;
class QMenu;

// The main window: a borderless, skinned dialog that owns every visible part
// of the program: the top bar, the video screens, the G-sensor graph with the
// seek slider, the transport bar, the map panel and the recording list.
class CZorvaneViewerDlg : public QDialog, public IMapHostWindow {
  Q_OBJECT

 public:
  explicit CZorvaneViewerDlg(QWidget* parent = nullptr);
  ~CZorvaneViewerDlg() override;

  // Recordings given on the command line: folders are scanned and files
  // added, as if dropped on the list; then the first row plays.
  void OpenPaths(const QStringList& paths);

  // Opening a recording and the periodic update. OpenRecording starts the
  // open: the parse filter's load and the sensor pull run off this thread,
  // and the open goes on here when they are done (FinishOpenRecording).
  void PlayListItem(int row);
  void OpenRecording(const std::string& path);
  // An open has been started and has not finished yet.
  bool OpenPending() const { return opener_.Pending(); }
  void UpdatePlayback();
  // Seeks to a moment and shows it at once: picture, time, slider,
  // instruments and map, also while paused.
  void SeekAndShow(int64_t positionMs);
  void EnablePlaybackControls();
  void DisablePlaybackControls();

  // Commands.
  void OpenFolder();
  void StopPlayback(bool hideScreens);
  void PlayNext();
  void PlayPrevious();
  void PlayOrResume();
  void PausePlayback();
  void StepBack();
  void StepForward();
  void ResetRate();
  void StepRate(int delta);
  void ResetBrightness();
  void StepBrightness(int delta);
  void SetMute(bool on);
  void VolumeUp();
  void VolumeDown();
  void SetListFilter(int filter, const std::string& name);
  void OnRecordingsChanged();
  void OnVolumeLevel(int level);

  // The timeline: seeking from the graph, frame steps while paused (the keys
  // "," and "."), the clip marks (I and O) and the event marks.
  void SeekFromGraph(int64_t ms);
  void StepFrames(int frames);
  void SetClipMark(bool start);
  const zv::ClipMarks& ClipMarks() const { return clipMarks_; }
  // The export dialogs of the popup menu.
  void ExportTrack();
  void ExportClip();

  // The map host.
  CZvMapPanelCtrl* MapPanel() override { return mapPanel_; }
  void SetMapButtonVisible(bool visible) override;
  bool PositionTextShown() const override { return positionTextShown_; }
  void SetPositionTextShown(bool shown) override;

  // Builds the window, opens the recordings given (as OpenPaths does), then
  // runs it modally until it is closed.
  int DoModal(const QStringList& startupPaths = {});
  bool OnInitDialog();

  // Places every child window for the current client size.
  void LayoutControls();
  void ApplyViewMode(int mode);
  void ShowScreensForViewMode();
  void HideScreens();

  // Keys are seen here before any control gets them. Returns true when the
  // key was handled and must not be passed on.
  bool PreTranslateMessage(QKeyEvent* event);
  // Every button and menu command arrives here.
  void OnCommand(int id);

  int ViewMode() const { return viewMode_; }
  CVideoPlayer& Player() { return player_; }
  CZvButtonCtrl* Button(int id) const;
  CZvListCtrl* RecordingList() const { return list_; }
  CZvScreenCtrl* FrontScreen() const { return frontScreen_; }
  CZvScreenCtrl* RearScreen() const { return rearScreen_; }
  CZvSliderCtrl* SeekSlider() const { return seekSlider_; }
  CZvSimpleSliderCtrl* SpeedSlider() const { return speedSlider_; }
  CZvSimpleSliderCtrl* BrightnessSlider() const { return brightSlider_; }
  CZvVolumeCtrl* VolumeControl() const { return volume_; }
  CZvTextCtrl* TimeText() const { return timeText_; }
  CZvTextCtrl* GsensorText() const { return gsensorText_; }
  CZvTextCtrl* PositionText() const { return positionText_; }
  CZvSpeedCtrl* SpeedGauge() const { return speedGauge_; }
  CZvGsensorCtrl* GsensorGraph() const { return gsensorGraph_; }
  CZoomDlg* ZoomWindow() const { return zoomWindow_; }
  QWidget* NoDataPanel() const;
  bool Muted() const { return muted_; }
  const std::string& CurrentFileName() const { return currentFileName_; }
  // The child window a layout slot places (nullptr when it was not made).
  QWidget* WidgetOf(zv::LayoutSlot slot) const;

  static constexpr int kMinWidth = zv::MainWindowLayout::kMinWidth;
  static constexpr int kMinHeight = zv::MainWindowLayout::kMinHeight;

 public slots:
  // Enter and Escape never close the window.
  void accept() override {}
  void reject() override {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void timerEvent(QTimerEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void CreateButtons();
  void CreateChildWindows();
  void CreateMapWindows();
  void ConnectControls();
  void UpdatePlaybackAt(int64_t positionMs, bool moved);
  void ShowInstrumentsAt(uint32_t positionMs);
  void FinishOpenRecording(zv::RecordingOpener::Result loaded);
  void ReportOpenFailure();
  void DispatchSensorRecords(const std::vector<zv::PulledSensorRecord>& records);
  // A command that needs the open recording, given while an open is under
  // way, waits for it: true when it was put off.
  bool DeferUntilOpened(void (CZorvaneViewerDlg::*command)());
  void ShowMapOrNoDataPanel();
  void ShowPlayButton(bool play);
  void SetEngineRate(float rate);
  void OnSeekScroll(int code);
  void OnSpeedScroll();
  void OnBrightnessScroll();
  void OnSetting();
  void OnPrint();
  void OnCapture();
  void ShowPopupMenu(const QPoint& globalPos);
  // Whether a client point lies on the window's own surface, not on a child.
  bool OnFreeSurface(const QPoint& at) const;
  // The border band of the free surface under a client point.
  zv::BorderHit BorderAt(const QPoint& at) const;
  bool EngineIs(std::initializer_list<zv::PlayState> states) const;
  void PlayRowIfPresent(int row);
  void CreateSliders();
  void ConfigureTooltips();
  void CentreOnScreen();
  void CloseMainWindow();
  void ToggleMaximised();
  void ShowAboutBox();
  void PlaceScreens(const zv::MainWindowLayout& layout);
  void ShowScreen(CZvScreenCtrl* screen, bool& shown, bool show);
  void SetButtonSelected(int id, bool selected);
  void SetButtonEnabled(int id, bool enabled);
  void RedrawStillPicture();
  void PaintPanelFrame(QPainter& painter, const QRect& outer, const QColor& fill, int inset);
  void InitTimeline();
  void ShowClipMarks();
  void OnRecordingLoaded();
  void LoadTripRoute();
  void ShowEventMarks();
  bool PreTranslateTimelineKey(QKeyEvent* event);
  void AddTimelineMenus(QMenu* menu);
  void OnTimelineCommand(int id);
  std::string OpenRecordingPath() const;
  // The catalogue's recordings of the open recording's kind, oldest first,
  // and the open one's place among them; false when none is open.
  bool OpenRecordingAmongItsKind(std::vector<zv::RecordingEntry>& sameKind, size_t& index) const;

  CVideoPlayer player_;
  zv::FramelessWindowMover mover_{this, {kMinWidth, kMinHeight}};
  zv::RecordingOpener opener_{[this](zv::RecordingOpener::Result loaded) { FinishOpenRecording(std::move(loaded)); }};
  std::vector<void (CZorvaneViewerDlg::*)()> deferredCommands_;
  bool initialised_ = false;
  int viewMode_ = 1;
  zv::LayoutAreas areas_;
  bool muted_ = false;
  std::string currentFileName_;
  QIcon icon_;

  int volumeLevel_ = 5;
  int updateTimer_ = 0;
  int64_t lastReadPositionMs_ = -1;  // the engine's position at the last tick
  bool positionTextShown_ = true;

  std::map<int, CZvButtonCtrl*> buttons_;
  CZvSliderCtrl* seekSlider_ = nullptr;
  CZvSimpleSliderCtrl* speedSlider_ = nullptr;
  CZvSimpleSliderCtrl* brightSlider_ = nullptr;
  CZvVolumeCtrl* volume_ = nullptr;
  CZvSpeedCtrl* speedGauge_ = nullptr;
  CZvGsensorCtrl* gsensorGraph_ = nullptr;
  CZvListCtrl* list_ = nullptr;
  CZvScreenCtrl* frontScreen_ = nullptr;
  CZvScreenCtrl* rearScreen_ = nullptr;
  bool frontShown_ = false;
  bool rearShown_ = false;
  CZvMapPanelCtrl* mapPanel_ = nullptr;
  CZvTextCtrl* timeText_ = nullptr;
  CZvTextCtrl* gsensorText_ = nullptr;
  CZvTextCtrl* mapTitle_ = nullptr;
  CZvTextCtrl* positionText_ = nullptr;
  CMapNoDataWnd* noDataPanel_ = nullptr;
  CMapDlg* mapWindow_ = nullptr;
  CZoomDlg* zoomWindow_ = nullptr;
  zv::SnapshotCapture capture_{this};
  zv::ClipMarks clipMarks_;
  zv::TripRouteLoader* tripRoute_ = nullptr;
};

// The one main window, reachable by the other windows.
extern CZorvaneViewerDlg* g_mainWindow;
