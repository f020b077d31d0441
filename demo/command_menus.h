#pragma once

#include <QtCore/QObject>

class QMainWindow;
class QMdiArea;
class TfrmMap;
class TModeToolBar;
class TfrmTrackPr;

// The demo's menus: File (open, save, save as) and Commands (properties,
// new train, rotate and swap switch), acting on the active map window.
void AddCommandMenus(QMainWindow& Frame, QMdiArea& Area, TModeToolBar& Modes,
                     TfrmTrackPr& Properties);

// A map window in a new child of Area, wired to the mode buttons and the
// properties dialog, shown maximised.
TfrmMap* AddMapWindow(QMdiArea& Area, TModeToolBar& Modes,
                      TfrmTrackPr& Properties);
