// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>
#include <memory>

#include "platform/SingleInstanceLock.h"

class QApplication;

// The application object: guards against a second instance, starts the
// user-interface and media frameworks and runs the main window modally.
class CZorvaneViewerApp {
 public:
  // `startupPaths`: the folders and files of the command line, opened once
  // the main window stands.
  CZorvaneViewerApp(int& argc, char** argv, QStringList startupPaths);
  ~CZorvaneViewerApp();

  // Runs the whole life of the program; always returns false, so the caller
  // ends the process with status 0.
  bool InitInstance();

 private:
  bool StartFrameworks();
  void EnableWebContentHosting();

  int& argc_;
  char** argv_;
  QStringList startupPaths_;
  zv::SingleInstanceLock instanceLock_;
  std::unique_ptr<QApplication> application_;
};
