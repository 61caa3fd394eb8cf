// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <functional>
#include <initializer_list>

class QProgressBar;
class QPushButton;

// What the export dialogs share: their choices over a progress bar and a row
// of two buttons, the action ("내보내기...", "저장...") and "닫기", which
// reads "취소" while the export runs and then cancels it instead of closing.
class CExportDialog : public QDialog {
  Q_OBJECT

 public:
  QProgressBar* progress = nullptr;
  QPushButton* actionButton = nullptr;
  QPushButton* closeButton = nullptr;
  // Shows a message to the user; a message box by default (tests replace it).
  std::function<void(const QString& text, bool failure)> tell;

 protected:
  CExportDialog(const QString& title, const QString& action, QWidget* parent);

  // Lays the dialog out: `choices` from the top, then the progress bar and
  // the buttons.
  void Build(std::initializer_list<QWidget*> choices);
  // Shows or hides the progress bar and turns Close into Cancel.
  void SetRunning(bool running);

  virtual bool ExportRunning() const = 0;
  virtual void CancelExport() = 0;
  virtual void OnActionClicked() = 0;
  void reject() override;
};
