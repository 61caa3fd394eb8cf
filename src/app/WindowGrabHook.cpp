// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WindowGrabHook.h"

#include <QPixmap>
#include <QSaveFile>
#include <QTimer>
#include <QWidget>

void InstallWindowGrabHook(QWidget* window) {
  const QString path = qEnvironmentVariable("ZV_TEST_WINDOW_GRAB");
  if (path.isEmpty()) return;
  auto* timer = new QTimer(window);
  QObject::connect(timer, &QTimer::timeout, window, [window, path] {
    if (!window->isVisible()) return;
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && window->grab().save(&file, "PNG")) file.commit();
  });
  timer->start(500);
}
