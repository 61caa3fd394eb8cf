// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDBusConnection>
#include <QDBusPendingCallWatcher>
#include <QString>

#include "platform/ICardFormatter.h"

namespace zv {

// Formats a block device through the udisks2 service on the system bus:
// the file system is unmounted (Filesystem.Unmount), the device gets a new
// FAT file system with the label (Block.Format, type "vfat"), and the new
// file system is mounted again (Filesystem.Mount), so that the card is
// usable at once. The calls are asynchronous; udisks asks the user for
// authorisation where the system requires it. A format whose mount fails
// still succeeded; the report says that the card is not mounted.
class UDisksCardFormatter : public ICardFormatter {
  Q_OBJECT

 public:
  // `bus` is where udisks2 is asked: the system bus.
  explicit UDisksCardFormatter(QString devicePath, QObject* parent = nullptr,
                               QDBusConnection bus = QDBusConnection::systemBus());

  void Start(const QString& volumeLabel) override;

  // The udisks2 object of a block device: "/dev/sdb1" gives
  // "/org/freedesktop/UDisks2/block_devices/sdb1"; characters other than
  // letters and digits are written as "_" and two hex digits.
  static QString ObjectPathOf(const QString& devicePath);

 private:
  void Call(const QString& interface, const QString& method, const QVariantList& arguments,
            void (UDisksCardFormatter::*onReply)(QDBusPendingCallWatcher*));
  void OnUnmounted(QDBusPendingCallWatcher* call);
  void OnFormatted(QDBusPendingCallWatcher* call);
  void OnMounted(QDBusPendingCallWatcher* call);

  QDBusConnection bus_;
  QString devicePath_;
  QString objectPath_;
  QString label_;
};

}  // namespace zv
