// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CZorvaneViewerApp.h"

#include <gst/gst.h>
#include <unistd.h>

#include <QApplication>
#include <utility>

#include "BuildConfig.h"
#include "app/CZorvaneViewerDlg.h"
#include "app/StartupEnvironment.h"
#include "app/WindowGrabHook.h"
#include "map/MapSchemeHandler.h"
#include "skin/GlScreenSurface.h"

namespace {
// Name of the lock that keeps a second instance from starting.
constexpr const char* kInstanceLockName = "QE_ZV_VIEWER";
}  // namespace

CZorvaneViewerApp::CZorvaneViewerApp(int& argc, char** argv, QStringList startupPaths)
    : argc_(argc), argv_(argv), startupPaths_(std::move(startupPaths)) {}

CZorvaneViewerApp::~CZorvaneViewerApp() = default;

bool CZorvaneViewerApp::InitInstance() {
  // A second instance ends at once and silently; so does a lock that cannot
  // be made at all. The lock is held until the process ends.
  if (instanceLock_.Acquire(kInstanceLockName) != zv::SingleInstanceLock::Result::Acquired)
    return false;

  if (!StartFrameworks()) return false;
  EnableWebContentHosting();
  // The per-user settings key of the framework; nothing is stored under it.
  QCoreApplication::setOrganizationName("ZorvaneViewer");

  {
    CZorvaneViewerDlg dialog;
    InstallWindowGrabHook(&dialog);
    dialog.DoModal(startupPaths_);
  }  // the main window stops playback and closes the engine as it goes
  return false;
}

// The user-interface framework and the media framework. The common controls
// and the sockets of the original platform need no start-up here.
bool CZorvaneViewerApp::StartFrameworks() {
  // The map page's web engine shares OpenGL contexts with the widgets, and
  // learns the map's own URL scheme before the application exists.
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  MapSchemeHandler::RegisterScheme();
  application_ = std::make_unique<QApplication>(argc_, argv_);
  QApplication::setApplicationName("zorvane-viewer");
  QApplication::setApplicationDisplayName("VARNI Viewer");
  zv::InstallQtTranslations(*application_);
  // Ties the windows to the installed desktop entry and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral(ZV_APP_ID));
  gst_init(&argc_, &argv_);
  return true;
}

// The map page runs in an embedded web engine. Its renderer sandbox cannot
// run for the root user, so it is switched off there, and only there. The
// web view is drawn by Qt Quick, which asks for OpenGL even where no OpenGL
// context can be made (a display without it, QT_XCB_GL_INTEGRATION=none),
// and the window's first paint then crashes; there Qt Quick's software
// renderer draws the page, unless the user chose a renderer. (The probe is
// the screens' own, made once.)
void CZorvaneViewerApp::EnableWebContentHosting() {
  if (geteuid() == 0) qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  if (qEnvironmentVariableIsEmpty("QT_QUICK_BACKEND") && !GlScreenSurface::ContextAvailable())
    qputenv("QT_QUICK_BACKEND", "software");
}
