// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// A hook for tests on window systems where no other program can read the
// screen (Wayland): when the environment variable ZV_TEST_WINDOW_GRAB names
// a file, the window's own picture (QWidget::grab) is written there as a PNG
// every half second, each time complete (written beside it and renamed).
// Without the variable nothing happens.
void InstallWindowGrabHook(QWidget* window);
