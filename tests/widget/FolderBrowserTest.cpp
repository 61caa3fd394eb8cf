// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

#include "library/FolderBrowser.h"

namespace {

// Runs the chooser and, once its dialog is up, hands the dialog to `answer`.
bool Browse(const std::function<void(QFileDialog*)>& answer, QString& folder, QString& title) {
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
      poll.stop();
      title = dialog->windowTitle();
      answer(dialog);
    }
  });
  poll.start();
  QTimer::singleShot(10000, [] {  // never hang the run
    if (QWidget* w = QApplication::activeModalWidget()) w->close();
  });
  return BrowseForFolder(nullptr, QString(), folder);
}

TEST(FolderBrowserTest, ChosenFolderEndsInOneSlash) {
  QTemporaryDir dir;
  QString folder, title;
  EXPECT_TRUE(Browse([&](QFileDialog* d) {
    d->setDirectory(dir.path());
    QMetaObject::invokeMethod(d, "accept");
  }, folder, title));
  EXPECT_EQ(title, QString("폴더 선택"));
  EXPECT_TRUE(folder.endsWith("/") && !folder.endsWith("//")) << folder.toStdString();
  EXPECT_EQ(QDir(folder), QDir(dir.path()));

  EXPECT_TRUE(Browse([&](QFileDialog* d) {
    d->setDirectory("/");
    QMetaObject::invokeMethod(d, "accept");
  }, folder, title));
  EXPECT_EQ(folder, QString("/"));
}

TEST(FolderBrowserTest, CancelGivesAnEmptyFolder) {
  QString folder = "/previous/", title;
  EXPECT_FALSE(Browse([](QFileDialog* d) { d->reject(); }, folder, title));
  EXPECT_TRUE(folder.isEmpty());
}

}  // namespace
