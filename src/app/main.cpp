// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>

#include "app/CZorvaneViewerApp.h"
#include "app/ExportCommand.h"
#include "app/ViewerCommandLine.h"

int main(int argc, char** argv) {
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
  zv::ViewerCommandLine commandLine;
  switch (commandLine.Parse(arguments)) {
    case zv::ViewerCommandLine::Action::ShowHelp:
      std::fputs(qPrintable(zv::ViewerCommandLine::HelpText()), stdout);
      return 0;
    case zv::ViewerCommandLine::Action::ShowVersion:
      std::fputs(qPrintable(zv::ViewerCommandLine::VersionText()), stdout);
      return 0;
    case zv::ViewerCommandLine::Action::Export:  // a track file, without a window
      return zv::ExportCommand::Main(argc, argv, commandLine.exportArguments());
    case zv::ViewerCommandLine::Action::Fail:
      std::fprintf(stderr, "zorvane-viewer: %s\n%s", qPrintable(commandLine.error()),
                   qPrintable(zv::ViewerCommandLine::UsageText()));
      return 2;
    case zv::ViewerCommandLine::Action::Run:
      break;
  }
  CZorvaneViewerApp app(argc, argv, commandLine.paths());
  app.InitInstance();
  return 0;
}
