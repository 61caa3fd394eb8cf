#include "app/CZorvaneViewerApp.h"

int main(int argc, char** argv) {
  CZorvaneViewerApp app(argc, argv);
  app.InitInstance();
  return 0;
}
