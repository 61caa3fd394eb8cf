// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QTemporaryDir>

#include <clocale>
#include <string>

// Switches the C library to the German locale (comma decimals) for the life
// of the object, as it is for the program on a German system. Where the
// machine has not generated that locale, it is generated with localedef
// into a folder of the test's own, found through LOCPATH.
class GermanLocale {
 public:
  GermanLocale() {
    previous_ = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8")) return;
    if (QProcess::execute("localedef", {"-i", "de_DE", "-f", "UTF-8", folder_.filePath("de_DE.UTF-8")}) == 0) {
      qputenv("LOCPATH", folder_.path().toUtf8());
      std::setlocale(LC_ALL, "de_DE.UTF-8");
    }
  }
  ~GermanLocale() {
    std::setlocale(LC_ALL, previous_.c_str());
    qunsetenv("LOCPATH");
  }
  bool Active() const { return std::localeconv()->decimal_point == std::string(","); }

 private:
  std::string previous_;
  QTemporaryDir folder_;
};
