// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>

#include "output/ReportLayout.h"

class QWidget;

namespace zv {

// The data of one printed report; lives while the report is printed.
struct ReportJob {
  int pageWidth = 0;   // printable area in device pixels
  int pageHeight = 0;
  QImage channel1;
  QImage channel2;
  QWidget* mapView = nullptr;  // grabbed as the map picture
  ReportValues values;         // name, position, channel count, position fix, G-sensor
};

}  // namespace zv
