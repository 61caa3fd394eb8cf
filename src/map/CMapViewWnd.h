#pragma once

#include <QWebEngineView>

// The one view that shows the map page for the whole run of the program. It
// only changes hosts (the main window's map panel or the map window's), so
// the page keeps its marker, path and zoom; it is never reloaded.
class CMapViewWnd : public QWebEngineView {
  Q_OBJECT

 public:
  static constexpr int kControlId = 2091;

  // The first view made becomes the program's map view until it is destroyed.
  explicit CMapViewWnd(QWidget* parent = nullptr);
  ~CMapViewWnd() override;

  static CMapViewWnd* Instance();

  int controlId = kControlId;
};
