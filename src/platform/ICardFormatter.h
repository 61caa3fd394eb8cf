// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

namespace zv {

// Formats one card with a FAT file system and a volume label. Start returns
// at once; the work goes on in the background (another process, or the
// system's disk service) and ends with exactly one Finished signal.
class ICardFormatter : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;
  ~ICardFormatter() override = default;

  // Starts formatting. Called at most once per formatter.
  virtual void Start(const QString& volumeLabel) = 0;

 signals:
  // A step of the work has begun ("unmounting", "formatting", ...).
  void Progress(const QString& step);
  // The work is over; `report` says what happened, with any tool output.
  void Finished(bool succeeded, const QString& report);
};

}  // namespace zv
