// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>

#include <functional>
#include <memory>

#include "platform/ICardFormatter.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

// The program's own format dialog: shows the card (its name, device and
// size), offers its volume label (filled with "VARNI", editable), and runs
// the formatter in the background on Start, showing that it works and then
// what came of it. Right before it starts, the device is checked once more;
// a card that changed is not formatted. It cannot be closed while the format
// runs.
class CFormatCardDlg : public QDialog {
  Q_OBJECT

 public:
  // The label the field holds when the dialog opens.
  static constexpr const char* kDefaultVolumeLabel = "VARNI";
  // FAT volume labels hold at most 11 characters.
  static constexpr int kMaxVolumeLabel = 11;

  // `deviceText` names the device and its size ("/dev/sdb1, 7.9 GB").
  CFormatCardDlg(std::unique_ptr<zv::ICardFormatter> formatter, const QString& driveText,
                 QWidget* parent = nullptr, const QString& deviceText = QString());
  ~CFormatCardDlg() override;

  bool IsFormatting() const { return formatting_; }
  bool Succeeded() const { return succeeded_; }

  // Run right before formatting starts: why the card must not be formatted
  // (it is another device now), or an empty text to go on.
  std::function<QString()> checkDevice;

 public slots:
  void reject() override;

 private:
  void OnStart();
  void ShowRefusal(const QString& reason);
  void OnFinished(bool succeeded, const QString& report);

  std::unique_ptr<zv::ICardFormatter> formatter_;
  QLineEdit* labelEdit_ = nullptr;
  QPushButton* startButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* status_ = nullptr;
  bool formatting_ = false;
  bool succeeded_ = false;
};
