#pragma once

#include <QtCore/QString>
#include <memory>

class TfrmTrain;

// Creates the editor's windows in their order: the frame, shown, with the
// maps that editors which ended left unsaved in the recovery folder
// RecoveryFolder (or, when there are none, one empty map window), then the
// dialogs the map windows use.
std::unique_ptr<TfrmTrain> StartEditor(const QString& RecoveryFolder);
