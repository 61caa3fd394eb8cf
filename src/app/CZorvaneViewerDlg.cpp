// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CZorvaneViewerDlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QToolTip>

#include "app/CAboutDlg.h"
#include "config/OptionsFiles.h"
#include "config/ViewerOptions.h"
#include "app/MainWindowButtons.h"
#include "app/MainWindowCommands.h"
#include "app/StartupEnvironment.h"
#include "library/CZvListCtrl.h"
#include "platform/ProgramLayout.h"
#include "platform/RegistryStore.h"
#include "skin/CSkinHeaderCtrl.h"
#include "skin/CZvButtonCtrl.h"
#include "skin/CZvScreenCtrl.h"
#include "skin/CZvSimpleSliderCtrl.h"
#include "skin/CZvSliderCtrl.h"
#include "skin/CZvVolumeCtrl.h"
#include "skin/SkinImages.h"
#include "library/RecordingEntry.h"
#include "map/CMapDlg.h"
#include "output/CZoomDlg.h"
#include "map/CMapNoDataWnd.h"
#include "map/CMapViewWnd.h"
#include "map/CZvMapPanelCtrl.h"
#include "map/MapMode.h"
#include "map/MapViewBridge.h"
#include "sensors/CZvGsensorCtrl.h"
#include "sensors/CZvSpeedCtrl.h"
#include "sensors/CZvTextCtrl.h"

using zv::LayoutSlot;

CZorvaneViewerDlg* g_mainWindow = nullptr;

namespace {

const QColor kBackground(10, 10, 10);
const QColor kPanel(20, 20, 20);
const QColor kFrame(100, 100, 100);

}  // namespace

CZorvaneViewerDlg::CZorvaneViewerDlg(QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint), icon_(":/skin/icon/128.png") {
  g_mainWindow = this;
  zv::ReadViewerOptions(zv::OptionsFiles::Running().ToRead(), zv::ViewerOptions::Instance());
  setMinimumSize(kMinWidth, kMinHeight);
  setMouseTracking(true);
}

CZorvaneViewerDlg::~CZorvaneViewerDlg() {
  if (EngineIs({zv::Running, zv::Paused})) StopPlayback(false);
  player_.Close();
  if (MapHostWindow() == this) SetMapHostWindow(nullptr);
  if (g_mainWindow == this) g_mainWindow = nullptr;
}

int CZorvaneViewerDlg::DoModal(const QStringList& startupPaths) {
  OnInitDialog();
  if (!startupPaths.isEmpty()) QTimer::singleShot(0, this, [this, startupPaths] { OpenPaths(startupPaths); });
  return exec();
}

bool CZorvaneViewerDlg::OnInitDialog() {
  setWindowIcon(icon_);
  zv::RegisterParseFilter(zv::ProgramLayout::Running().moduleFolder);
  zv::WriteDecoderSettings(zv::RegistryStore::System());
  setWindowTitle("VARNI Viewer");
  CreateChildWindows();
  CreateSliders();
  player_.Init(frontScreen_, rearScreen_);
  list_->setHeader(new CSkinHeaderCtrl(list_));
  list_->Initialize();
  updateTimer_ = startTimer(200);
  CreateButtons();
  SetButtonEnabled(zv::kCmdSave, false);
  SetMute(muted_);
  seekSlider_->setEnabled(false);
  SetButtonSelected(zv::kCmdViewFront, true);
  CreateMapWindows();
  buttons_[zv::kCmdPause]->hide();
  SetListFilter(zv::AllKinds, "");
  CentreOnScreen();
  LayoutControls();
  volume_->level = volumeLevel_;
  for (int id : {zv::kCmdCapture, zv::kCmdPrint, zv::kCmdRewind, zv::kCmdForward}) SetButtonEnabled(id, false);
  ConfigureTooltips();
  for (int id : {zv::kCmdFilterAll, zv::kCmdFilterEvent, zv::kCmdFilterNormal, zv::kCmdFilterParking})
    SetButtonEnabled(id, false);
  ConnectControls();
  InitTimeline();
  qApp->installEventFilter(this);
  initialised_ = true;
  return true;
}

void CZorvaneViewerDlg::CreateChildWindows() {
  gsensorGraph_ = new CZvGsensorCtrl(this);
  gsensorGraph_->resize(600, 100);
  volume_ = new CZvVolumeCtrl(this);
  volume_->setWindowTitle("ZvVolumeWnd");
  volume_->resize(70, 21);
  speedGauge_ = new CZvSpeedCtrl(this);
  speedGauge_->resize(124, 38);
  frontScreen_ = new CZvScreenCtrl(this);
  frontScreen_->resize(300, 200);
  frontScreen_->hide();
  rearScreen_ = new CZvScreenCtrl(this);
  rearScreen_->resize(100, 100);
  rearScreen_->hide();
  mapPanel_ = new CZvMapPanelCtrl(1006, this);
  mapPanel_->resize(300, 300);
  CZvTextCtrl** texts[] = {&timeText_, &gsensorText_, &mapTitle_, &positionText_};
  for (int i = 0; i < 4; ++i) {
    *texts[i] = new CZvTextCtrl(this, 1007 + i);
    (*texts[i])->mode = i + 1;
    (*texts[i])->resize(i == 2 ? QSize(100, 20) : QSize(300, 300));
  }
  mapTitle_->background = kPanel;
  positionText_->background = kPanel;
  noDataPanel_ = new CMapNoDataWnd(this);
  noDataPanel_->resize(100, 100);
  noDataPanel_->hide();
  list_ = new CZvListCtrl(this);
}

// The map view lives in the map panel; the separate map window starts hidden.
void CZorvaneViewerDlg::CreateMapWindows() {
  auto* view = new CMapViewWnd(mapPanel_);
  view->setGeometry(0, 0, 300, 300);
  LoadMapPage();
  AttachMapView(mapPanel_);
  SetMapHostWindow(this);
  mapWindow_ = new CMapDlg(this);
  mapWindow_->setGeometry(800, 100, 300, 300);
  mapWindow_->hide();
  zoomWindow_ = new CZoomDlg(this);
}

void CZorvaneViewerDlg::ConnectControls() {
  connect(list_, &CZvListCtrl::command, this, &CZorvaneViewerDlg::OnCommand);
  connect(list_, &CZvListCtrl::rowDoubleClicked, this, [this](int row) {
    if (list_->RowCount() > 0 && row >= 0 && list_->RowFullPath(row).size() >= 4) PlayListItem(row);
  });
  connect(list_, &CZvListCtrl::recordingsChanged, this, &CZorvaneViewerDlg::OnRecordingsChanged,
          Qt::QueuedConnection);
  connect(gsensorGraph_, &CZvGsensorCtrl::command, this, &CZorvaneViewerDlg::OnCommand);
  connect(volume_, &CZvVolumeCtrl::volumeLevel, this, &CZorvaneViewerDlg::OnVolumeLevel);
  connect(seekSlider_, &CZvSkinSlider::scrolled, this, &CZorvaneViewerDlg::OnSeekScroll);
  connect(speedSlider_, &CZvSkinSlider::scrolled, this, [this](int) { OnSpeedScroll(); });
  connect(brightSlider_, &CZvSkinSlider::scrolled, this, [this](int) { OnBrightnessScroll(); });
}

QWidget* CZorvaneViewerDlg::NoDataPanel() const { return noDataPanel_; }

void CZorvaneViewerDlg::SetMapButtonVisible(bool visible) { Button(zv::kCmdMap)->setVisible(visible); }

void CZorvaneViewerDlg::SetPositionTextShown(bool shown) {
  positionText_->setVisible(shown);
  positionTextShown_ = shown;
}

void CZorvaneViewerDlg::CreateSliders() {
  seekSlider_ = new CZvSliderCtrl(this);
  seekSlider_->channelImage = 1034;
  seekSlider_->thumbImage = 1036;
  seekSlider_->backgroundColour = kBackground;
  seekSlider_->channelOffset = zv::MainWindowLayout::kSeekChannelOffset;
  for (CZvSimpleSliderCtrl** slider : {&speedSlider_, &brightSlider_}) {
    *slider = new CZvSimpleSliderCtrl(this);
    (*slider)->channelImage = 1040;
    (*slider)->thumbImage = 1042;
    (*slider)->backgroundColour = kPanel;
    (*slider)->channelOffset = 15;
    (*slider)->resize(95, 30);
    (*slider)->setRange(0, 100);
    (*slider)->setValue(50);
    (*slider)->setPageStep(10);
  }
}

void CZorvaneViewerDlg::CreateButtons() {
  for (const zv::MainWindowButton& spec : zv::MainWindowButtons()) {
    auto* button = new CZvButtonCtrl(spec.id, this);
    button->normalImage = spec.normal;
    button->hoverImage = spec.hover;
    button->disabledImage = spec.disabled;
    button->selectedImage = spec.selected;
    button->topBar = spec.topBar ? 1 : 0;
    const zv::LayoutRect place = zv::MainWindowLayout(kMinWidth, kMinHeight, 1).Of(spec.slot);
    button->resize(place.width(), place.height());
    connect(button, &CZvButtonCtrl::command, this, &CZorvaneViewerDlg::OnCommand);
    buttons_[spec.id] = button;
  }
}

void CZorvaneViewerDlg::ConfigureTooltips() {
  QPalette tips = QToolTip::palette();
  tips.setColor(QPalette::ToolTipBase, Qt::white);
  tips.setColor(QPalette::ToolTipText, Qt::black);
  QToolTip::setPalette(tips);
  for (const zv::MainWindowButton& spec : zv::MainWindowButtons())
    if (spec.tooltip) buttons_[spec.id]->setToolTip(QString::fromUtf8(spec.tooltip));
}

CZvButtonCtrl* CZorvaneViewerDlg::Button(int id) const {
  const auto it = buttons_.find(id);
  return it == buttons_.end() ? nullptr : it->second;
}

void CZorvaneViewerDlg::SetButtonSelected(int id, bool selected) {
  if (CZvButtonCtrl* button = Button(id)) {
    button->selected = selected ? 1 : 0;
    button->Redraw();
  }
}

void CZorvaneViewerDlg::SetButtonEnabled(int id, bool enabled) {
  if (CZvButtonCtrl* button = Button(id)) {
    button->enabled = enabled ? 1 : 0;
    button->Redraw();
  }
}

QWidget* CZorvaneViewerDlg::WidgetOf(LayoutSlot slot) const {
  for (const zv::MainWindowButton& spec : zv::MainWindowButtons())
    if (spec.slot == slot) return Button(spec.id);
  switch (slot) {
    case LayoutSlot::SpeedSlider: return speedSlider_;
    case LayoutSlot::BrightSlider: return brightSlider_;
    case LayoutSlot::Volume: return volume_;
    case LayoutSlot::SpeedGauge: return speedGauge_;
    case LayoutSlot::TimeText: return timeText_;
    case LayoutSlot::GsensorGraph: return gsensorGraph_;
    case LayoutSlot::SeekSlider: return seekSlider_;
    case LayoutSlot::GsensorText: return gsensorText_;
    case LayoutSlot::MapTitle: return mapTitle_;
    case LayoutSlot::MapPanel: return mapPanel_;
    case LayoutSlot::NoDataPanel: return noDataPanel_;
    case LayoutSlot::PositionText: return positionText_;
    case LayoutSlot::RecordingList: return list_;
    case LayoutSlot::FrontScreen: return frontScreen_;
    case LayoutSlot::RearScreen: return rearScreen_;
    default: return nullptr;
  }
}

// ---- Layout -------------------------------------------------------------

void CZorvaneViewerDlg::LayoutControls() {
  const zv::MainWindowLayout layout(width(), height(), viewMode_);
  areas_ = layout.Areas();
  for (const auto& [slot, place] : layout.Placements()) {
    if (slot == LayoutSlot::FrontScreen || slot == LayoutSlot::RearScreen) continue;
    if (QWidget* widget = WidgetOf(slot)) widget->setGeometry(place.ToQRect());
  }
  PlaceScreens(layout);
  update();
}

// The screens the view mode uses; the other one is parked at 0×0.
void CZorvaneViewerDlg::PlaceScreens(const zv::MainWindowLayout& layout) {
  frontScreen_->setGeometry(layout.Of(LayoutSlot::FrontScreen).ToQRect());
  rearScreen_->setGeometry(layout.Of(LayoutSlot::RearScreen).ToQRect());
}

void CZorvaneViewerDlg::ShowScreen(CZvScreenCtrl* screen, bool& shown, bool show) {
  if (shown == show) return;
  screen->setVisible(show);
  shown = show;
  update();
}

void CZorvaneViewerDlg::ShowScreensForViewMode() {
  ShowScreen(frontScreen_, frontShown_, viewMode_ != 2);
  ShowScreen(rearScreen_, rearShown_, viewMode_ != 1);
}

void CZorvaneViewerDlg::HideScreens() {
  ShowScreen(frontScreen_, frontShown_, false);
  ShowScreen(rearScreen_, rearShown_, false);
}

void CZorvaneViewerDlg::ApplyViewMode(int mode) {
  viewMode_ = mode;
  SetButtonSelected(zv::kCmdViewFront, mode == 1);
  SetButtonSelected(zv::kCmdViewRear, mode == 2);
  SetButtonSelected(zv::kCmdViewAll, mode == 3);
  ShowScreensForViewMode();
  const zv::MainWindowLayout layout(width(), height(), viewMode_);
  if (mode == 1 || mode == 3) frontScreen_->setGeometry(layout.Of(LayoutSlot::FrontScreen).ToQRect());
  if (mode == 2 || mode == 3) rearScreen_->setGeometry(layout.Of(LayoutSlot::RearScreen).ToQRect());
  RedrawStillPicture();
}

// A paused or stopped engine draws its still picture again at the new size.
void CZorvaneViewerDlg::RedrawStillPicture() {
  CGraphPlayer* engine = player_.Engine();
  if (!engine) return;
  int64_t position = 0;
  if (engine->GetState() != zv::Running && engine->Pipeline() && engine->GetCurrentPosition(&position) == zv::S_OK)
    engine->SetPosition(position);
  engine->UpdateVideoWindows();
}

void CZorvaneViewerDlg::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  if (!initialised_) return;
  LayoutControls();
  RedrawStillPicture();
}

// ---- Painting -----------------------------------------------------------

void CZorvaneViewerDlg::PaintPanelFrame(QPainter& painter, const QRect& outer, const QColor& fill, int inset) {
  painter.fillRect(outer, kFrame);
  painter.fillRect(outer.adjusted(inset, 1, -inset, -1), fill);
}

void CZorvaneViewerDlg::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int w = width();
  painter.fillRect(rect(), kBackground);
  for (int i = 0; i <= w / 100; ++i) DrawBitmapResource(painter, 1057, i * 100, 0, 100, 33);
  DrawBitmapResource(painter, 1056, w - 313, 0, 163, 33);
  const QRect video = areas_.video.ToQRect();
  if (frontShown_ || rearShown_) {
    painter.fillRect(video.adjusted(-1, -1, 1, 1), kFrame);
    painter.fillRect(video, kBackground);
  } else {
    DrawBitmapStretched(painter, 1044, video);
  }
  if (speedGauge_) {
    const QRect gauge = speedGauge_->geometry();
    const QRect bar(QPoint(areas_.controlBar.left + 5, gauge.top() - 10),
                    QPoint(areas_.controlBar.right - 5 - 1, gauge.bottom() + 10));
    PaintPanelFrame(painter, bar, kPanel, 0);
  }
  const zv::LayoutRect& map = areas_.map;
  PaintPanelFrame(painter, QRect(QPoint(map.left - 2, map.top), QPoint(map.right + 2 - 1, map.bottom - 3 - 1)), kPanel, 1);
  const zv::LayoutRect& list = areas_.list;
  const int listBottom = list_ ? list_->geometry().bottom() + 1 : list.bottom;
  PaintPanelFrame(painter, QRect(QPoint(list.left - 2, list.top), QPoint(list.right + 2 - 1, listBottom + 2 - 1)), kPanel, 1);
}

// ---- Moving and resizing without a frame --------------------------------
//
// Only the window's own free surface takes presses: a press on a child
// window (screen, graph, text, gauge, slider, button, list, map) belongs to
// that child, even when the child lets it pass. A left press in a border
// band resizes the window, elsewhere it moves it; both through the window
// system (which works on X11 and Wayland alike), and by hand where the
// window system cannot (an X server without a window manager).

bool CZorvaneViewerDlg::OnFreeSurface(const QPoint& at) const { return rect().contains(at) && !childAt(at); }

zv::BorderHit CZorvaneViewerDlg::BorderAt(const QPoint& at) const {
  if (isMaximized() || !OnFreeSurface(at)) return zv::BorderHit::None;
  return zv::HitTestBorder(at.x(), at.y(), width(), height());
}

void CZorvaneViewerDlg::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (!OnFreeSurface(at)) return;  // a child's press that the child let pass
  if (event->button() == Qt::RightButton && at.x() < areas_.list.left) {
    ShowPopupMenu(event->globalPosition().toPoint());
    return;
  }
  if (event->button() != Qt::LeftButton || isMaximized()) return QDialog::mousePressEvent(event);
  mover_.Press(at, BorderAt(at));
}

void CZorvaneViewerDlg::mouseMoveEvent(QMouseEvent* event) {
  if (!mover_.Move(event->position().toPoint(), event->globalPosition().toPoint())) QDialog::mouseMoveEvent(event);
}

void CZorvaneViewerDlg::mouseReleaseEvent(QMouseEvent* event) {
  mover_.Release();
  QDialog::mouseReleaseEvent(event);
}

// ---- Commands and keys --------------------------------------------------

void CZorvaneViewerDlg::ToggleMaximised() {
  if (isMaximized()) showNormal();
  else showMaximized();
}

void CZorvaneViewerDlg::ShowAboutBox() {
  CAboutDlg about(this);
  about.exec();
}

// Centred at the minimum size, with integer division.
void CZorvaneViewerDlg::CentreOnScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->geometry() : QRect(0, 0, kMinWidth, kMinHeight);
  setGeometry((area.width() - kMinWidth) / 2, (area.height() - kMinHeight) / 2, kMinWidth, kMinHeight);
}

bool CZorvaneViewerDlg::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::KeyPress || type == QEvent::MouseMove) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || (widget != this && !isAncestorOf(widget))) return QDialog::eventFilter(watched, event);
    if (type == QEvent::KeyPress) return PreTranslateMessage(static_cast<QKeyEvent*>(event));
    // Every move over the window or a child, so that a child never shows
    // the resize cursor of a band it covers.
    if (!mover_.Active())
      mover_.ShowCursor(BorderAt(widget->mapTo(this, static_cast<QMouseEvent*>(event)->position().toPoint())));
  }
  return QDialog::eventFilter(watched, event);
}

void CZorvaneViewerDlg::keyPressEvent(QKeyEvent* event) {
  // Enter and Escape do nothing; QDialog would close on them.
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
      event->accept();
      return;
    default:
      QDialog::keyPressEvent(event);
  }
}

// A close request from the window system: on X11 the window manager takes
// Alt+F4 itself and delivers it as this request, so it closes the window.
void CZorvaneViewerDlg::closeEvent(QCloseEvent* event) {
  event->accept();
  CloseMainWindow();
}

void CZorvaneViewerDlg::CloseMainWindow() { done(QDialog::Accepted); }
