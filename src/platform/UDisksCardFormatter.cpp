// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/UDisksCardFormatter.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingReply>
#include <QFileInfo>
#include <QTimer>

#include <memory>

namespace zv {

namespace {

constexpr char kService[] = "org.freedesktop.UDisks2";
constexpr int kFormatTimeoutMs = 30 * 60 * 1000;  // a large card can take minutes

QString ErrorText(const QDBusError& error) {
  return error.name() + QStringLiteral(": ") + error.message();
}

}  // namespace

UDisksCardFormatter::UDisksCardFormatter(QString devicePath, QObject* parent, QDBusConnection bus)
    : ICardFormatter(parent), bus_(std::move(bus)), devicePath_(std::move(devicePath)),
      objectPath_(ObjectPathOf(devicePath_)) {}

QString UDisksCardFormatter::ObjectPathOf(const QString& devicePath) {
  QFileInfo device(devicePath);
  const QString resolved = device.exists() ? device.canonicalFilePath() : devicePath;
  const QByteArray name = QFileInfo(resolved).fileName().toUtf8();
  QString escaped;
  for (const char c : name) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    escaped += plain ? QString(QLatin1Char(c))
                     : QStringLiteral("_%1").arg(static_cast<uchar>(c), 2, 16, QLatin1Char('0'));
  }
  return QStringLiteral("/org/freedesktop/UDisks2/block_devices/") + escaped;
}

void UDisksCardFormatter::Start(const QString& volumeLabel) {
  label_ = volumeLabel;
  emit Progress(QStringLiteral("마운트 해제 중: %1").arg(devicePath_));
  Call(QStringLiteral("org.freedesktop.UDisks2.Filesystem"), QStringLiteral("Unmount"),
       {QVariantMap()}, &UDisksCardFormatter::OnUnmounted);
}

void UDisksCardFormatter::Call(const QString& interface, const QString& method,
                               const QVariantList& arguments,
                               void (UDisksCardFormatter::*onReply)(QDBusPendingCallWatcher*)) {
  QDBusMessage message =
      QDBusMessage::createMethodCall(kService, objectPath_, interface, method);
  message.setArguments(arguments);
  const QDBusPendingCall pending =
      bus_.asyncCall(message, kFormatTimeoutMs);
  auto* watcher = new QDBusPendingCallWatcher(pending, this);
  // A call that fails at once (no system bus) is finished before the watcher
  // exists and may never signal: deliver it from the event loop then. Either
  // way the reply is handled once.
  auto handled = std::make_shared<bool>(false);
  const auto deliver = [this, watcher, onReply, handled] {
    if (*handled) return;
    *handled = true;
    (this->*onReply)(watcher);
  };
  connect(watcher, &QDBusPendingCallWatcher::finished, this, deliver);
  if (watcher->isFinished()) QTimer::singleShot(0, watcher, deliver);
}

void UDisksCardFormatter::OnUnmounted(QDBusPendingCallWatcher* call) {
  call->deleteLater();
  const QDBusPendingReply<> reply = *call;
  if (reply.isError() &&
      reply.error().name() != QStringLiteral("org.freedesktop.UDisks2.Error.NotMounted")) {
    emit Finished(false, QStringLiteral("마운트를 해제할 수 없습니다.\n") + ErrorText(reply.error()));
    return;
  }
  emit Progress(QStringLiteral("포맷 중: %1").arg(devicePath_));
  const QVariantMap options{{QStringLiteral("label"), label_}};
  Call(QStringLiteral("org.freedesktop.UDisks2.Block"), QStringLiteral("Format"),
       {QStringLiteral("vfat"), options}, &UDisksCardFormatter::OnFormatted);
}

void UDisksCardFormatter::OnFormatted(QDBusPendingCallWatcher* call) {
  call->deleteLater();
  const QDBusPendingReply<> reply = *call;
  if (reply.isError()) {
    emit Finished(false, QStringLiteral("포맷하지 못했습니다.\n") + ErrorText(reply.error()));
    return;
  }
  emit Progress(QStringLiteral("마운트 중: %1").arg(devicePath_));
  Call(QStringLiteral("org.freedesktop.UDisks2.Filesystem"), QStringLiteral("Mount"), {QVariantMap()},
       &UDisksCardFormatter::OnMounted);
}

void UDisksCardFormatter::OnMounted(QDBusPendingCallWatcher* call) {
  call->deleteLater();
  const QDBusPendingReply<QString> reply = *call;
  const QString formatted = QStringLiteral("udisks2: %1 포맷 완료 (vfat, %2)").arg(devicePath_, label_);
  if (reply.isError()) {
    emit Finished(true, formatted + QStringLiteral("\n카드를 다시 마운트하지 못했습니다.\n") +
                            ErrorText(reply.error()));
    return;
  }
  emit Finished(true, formatted + QStringLiteral("\n마운트: ") + reply.value());
}

}  // namespace zv
