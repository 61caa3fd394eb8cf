// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Command ids of the main window's buttons and popup menus.
namespace zv {

enum MainWindowCommand : int {
  kCmdOpen = 1000,
  kCmdCapture = 1001,
  kCmdSave = 1002,
  kCmdPrint = 1004,
  kCmdSetting = 1005,
  kCmdZoom = 1006,
  kCmdAbout = 1007,
  kCmdMin = 1008,
  kCmdMax = 1009,
  kCmdClose = 1010,
  kCmdPrev = 1011,
  kCmdRewind = 1012,
  kCmdPlay = 1013,
  kCmdForward = 1014,
  kCmdPause = 1015,
  kCmdNext = 1016,
  kCmdSpeedReset = 1017,
  kCmdBrightReset = 1018,
  kCmdMute = 1019,
  kCmdMap = 1020,
  kCmdFilterAll = 1021,
  kCmdFilterEvent = 1022,
  kCmdFilterNormal = 1023,
  kCmdFilterParking = 1024,
  kCmdViewFront = 1025,
  kCmdViewRear = 1027,
  kCmdViewAll = 1028,
  // Popup menus.
  kMenuOpen = 32810,
  kMenuPlayPause = 32811,
  kMenuPrev = 32812,
  kMenuNext = 32813,
  kMenuDarker = 32814,
  kMenuBrighter = 32815,
  kMenuBrightReset = 32816,
  kMenuFaster = 32817,
  kMenuSlower = 32818,
  kMenuSpeedReset = 32819,
  kMenuVolumeUp = 32820,
  kMenuVolumeDown = 32821,
  kMenuMute = 32822,
  kMenuShowAll = 32823,
  kMenuShowContinuous = 32824,
  kMenuShowEvent = 32825,
  kMenuShowParking = 32826,
  kMenuGroupByTrip = 32827,  // the list's toggle
  // The main popup's export and timeline items.
  kMenuExportTrack = 32830,
  kMenuExportClip = 32831,
  kMenuTripRoute = 32832,
  kMenuEventMarksOff = 32840,  // then one item per threshold of kEventThresholdChoices

  kMenuAbout = 16,  // the About item of the system menu
};

// The event thresholds the popup offers, in hundredths of g (0: no marks),
// for the items kMenuEventMarksOff + i.
inline constexpr int kEventThresholdChoices[] = {0, 30, 50, 100, 150};

}  // namespace zv
