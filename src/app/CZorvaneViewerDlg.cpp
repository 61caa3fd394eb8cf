#include "app/CZorvaneViewerDlg.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>

#include "app/StartupEnvironment.h"
#include "platform/ProgramFolder.h"
#include "platform/RegistryStore.h"

CZorvaneViewerDlg* g_mainWindow = nullptr;

CZorvaneViewerDlg::CZorvaneViewerDlg(QWidget* parent)
    : QDialog(parent, Qt::Window | Qt::FramelessWindowHint), icon_(":/skin/icon/128.png") {
  g_mainWindow = this;
}

CZorvaneViewerDlg::~CZorvaneViewerDlg() {
  if (g_mainWindow == this) g_mainWindow = nullptr;
}

int CZorvaneViewerDlg::DoModal() {
  OnInitDialog();
  return exec();
}

bool CZorvaneViewerDlg::OnInitDialog() {
  setWindowIcon(icon_);
  zv::RegisterParseFilter(zv::ProgramFolder());
  zv::WriteDecoderSettings(zv::RegistryStore::System());
  setWindowTitle("VARNI Viewer");
  qApp->installEventFilter(this);
  CentreOnScreen();
  initialised_ = true;
  return true;
}

// Centred at the minimum size, with integer division.
void CZorvaneViewerDlg::CentreOnScreen() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->geometry() : QRect(0, 0, kMinWidth, kMinHeight);
  setGeometry((area.width() - kMinWidth) / 2, (area.height() - kMinHeight) / 2, kMinWidth,
              kMinHeight);
}

bool CZorvaneViewerDlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget && (widget == this || isAncestorOf(widget)) && event->type() == QEvent::KeyPress)
      return PreTranslateMessage(static_cast<QKeyEvent*>(event));
  }
  return QDialog::eventFilter(watched, event);
}

bool CZorvaneViewerDlg::PreTranslateMessage(QKeyEvent* event) {
  if (event->key() == Qt::Key_F4 && (event->modifiers() & Qt::AltModifier)) {
    CloseMainWindow();
    return true;
  }
  return false;
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

void CZorvaneViewerDlg::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(10, 10, 10));
}

void CZorvaneViewerDlg::CloseMainWindow() { done(QDialog::Accepted); }
