// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

// Asks the user for a folder with the title "폴더 선택", starting at
// `initialFolder`. On a choice, `folder` is the chosen folder ending in
// exactly one '/' and the result is true; on cancel `folder` is empty and
// the result is false.
bool BrowseForFolder(QWidget* owner, const QString& initialFolder, QString& folder);
