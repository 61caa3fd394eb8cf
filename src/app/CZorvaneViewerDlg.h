#pragma once

#include <QDialog>
#include <QIcon>

#include <map>
#include <string>

#include "app/FramelessGeometry.h"
#include "app/MainWindowLayout.h"
#include "player/CVideoPlayer.h"

class CZvButtonCtrl;
class CZvListCtrl;
class CZvScreenCtrl;
class CZvSimpleSliderCtrl;
class CZvSliderCtrl;
class CZvVolumeCtrl;
class QKeyEvent;

// The main window: a borderless, skinned dialog that owns every visible part
// of the program: the top bar, the video screens, the G-sensor graph with the
// seek slider, the transport bar, the map panel and the recording list.
class CZorvaneViewerDlg : public QDialog {
  Q_OBJECT

 public:
  explicit CZorvaneViewerDlg(QWidget* parent = nullptr);
  ~CZorvaneViewerDlg() override;

  // Builds the window, then runs it modally until it is closed.
  int DoModal();
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
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void CreateButtons();
  void CreateChildWindows();
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

  CVideoPlayer player_;
  bool resizing_ = false;
  bool dragging_ = false;
  QPoint pressPoint_;
  zv::BorderHit hitCode_ = zv::BorderHit::None;
  bool initialised_ = false;
  int viewMode_ = 1;
  zv::LayoutAreas areas_;
  bool muted_ = false;
  std::string currentFileName_;
  QIcon icon_;

  std::map<int, CZvButtonCtrl*> buttons_;
  CZvSliderCtrl* seekSlider_ = nullptr;
  CZvSimpleSliderCtrl* speedSlider_ = nullptr;
  CZvSimpleSliderCtrl* brightSlider_ = nullptr;
  CZvVolumeCtrl* volume_ = nullptr;
  QWidget* speedGauge_ = nullptr;
  QWidget* gsensorGraph_ = nullptr;
  CZvListCtrl* list_ = nullptr;
  CZvScreenCtrl* frontScreen_ = nullptr;
  CZvScreenCtrl* rearScreen_ = nullptr;
  bool frontShown_ = false;
  bool rearShown_ = false;
  QWidget* mapPanel_ = nullptr;
  QWidget* timeText_ = nullptr;
  QWidget* gsensorText_ = nullptr;
  QWidget* mapTitle_ = nullptr;
  QWidget* positionText_ = nullptr;
  QWidget* noDataPanel_ = nullptr;
};

// The one main window, reachable by the other windows.
extern CZorvaneViewerDlg* g_mainWindow;
