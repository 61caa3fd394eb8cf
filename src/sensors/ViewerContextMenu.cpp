// SPDX-License-Identifier: GPL-3.0-or-later
#include "sensors/ViewerContextMenu.h"

#include <QMenu>

namespace {

void AddCommand(QMenu* menu, int id, const QString& text) {
  menu->addAction(text)->setData(id);
}

}  // namespace

QMenu* CreateViewerContextMenu(QWidget* parent) {
  using namespace zv::menu;
  auto* menu = new QMenu(parent);
  AddCommand(menu, kOpenFile, QStringLiteral("파일오픈"));
  menu->addSeparator();
  AddCommand(menu, kPlayPause, QStringLiteral("재생/정지"));
  AddCommand(menu, kPreviousRecording, QStringLiteral("이전 영상"));
  AddCommand(menu, kNextRecording, QStringLiteral("다음 영상"));
  menu->addSeparator();
  QMenu* brightness = menu->addMenu(QStringLiteral("밝기"));
  AddCommand(brightness, kDarker, QStringLiteral("어둡게"));
  AddCommand(brightness, kBrighter, QStringLiteral("밝게"));
  AddCommand(brightness, kDefaultBrightness, QStringLiteral("기본값"));
  QMenu* rate = menu->addMenu(QStringLiteral("속도"));
  AddCommand(rate, kFaster, QStringLiteral("빠르게"));
  AddCommand(rate, kSlower, QStringLiteral("느리게"));
  AddCommand(rate, kDefaultRate, QStringLiteral("기본값"));
  QMenu* volume = menu->addMenu(QStringLiteral("볼륨"));
  AddCommand(volume, kVolumeUp, QStringLiteral("볼륨 업"));
  AddCommand(volume, kVolumeDown, QStringLiteral("볼륨 다운"));
  AddCommand(volume, kMuteToggle, QStringLiteral("음소거/복원"));
  return menu;
}
