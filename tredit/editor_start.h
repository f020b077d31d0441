#pragma once

#include <memory>

class TfrmTrain;

// Creates the editor's windows in their order: the frame, shown, with one
// empty map window, then the dialogs the map windows use.
std::unique_ptr<TfrmTrain> StartEditor();
