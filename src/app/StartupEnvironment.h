// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class QCoreApplication;

namespace zv {

class RegistryStore;

// Loads the stream parse filter module from the program folder and calls its
// self-registration entry point. True when the entry point was found and
// called. The module stays loaded for the life of the process.
bool RegisterParseFilter(const std::string& programFolder);

// The video decoder's settings under the current user's
// "Software/GNU/ffdshow": multipleInstances 0, isWhitelist 0, h264 1.
// Creates the keys when missing; failures are silent.
void WriteDecoderSettings(RegistryStore& store);

// Qt's own Korean texts, so that the standard dialogs the program uses
// (message box buttons, folder chooser, print dialog) and the map's web
// view speak the program's language: qtbase_ko and qtwebengine_ko from
// Qt's translations folder (Debian's qt6-translations-l10n), whatever the
// system's language. Gives how many catalogues were installed; none when
// the package is missing, and the dialogs stay in English.
int InstallQtTranslations(QCoreApplication& application);

}  // namespace zv
