#include "app/CZorvaneViewerApp.h"
#include "app/ExportCommand.h"

int main(int argc, char** argv) {
  // `--export` writes a track file and ends, without a window.
  if (zv::ExportCommand::Requested(argc, argv)) return zv::ExportCommand::Main(argc, argv);
  CZorvaneViewerApp app(argc, argv);
  app.InitInstance();
  return 0;
}
