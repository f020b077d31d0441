#pragma once

#include <QtCore/QString>
#include <QtCore/QStringList>
#include <functional>
#include <memory>

class TfrmTrain;

// What the editor starts with.
struct TEditorStart {
  // Where the maps left unsaved are kept; none keeps nothing.
  QString RecoveryFolder;
  // What the editor remembers between runs; none remembers nothing.
  QString SettingsFile;
  // Map files to open.
  QStringList Files;
  // Where failures go, from the first; an error box when unset.
  std::function<void(const QString& Message)> ShowError;
};

// Creates the editor's windows in their order: the frame, shown where it
// was last, with the maps that editors which ended left unsaved in the
// recovery folder, then one window for each file in order (or, when there
// are neither, one empty map window), then the dialogs the map windows use.
std::unique_ptr<TfrmTrain> StartEditor(const TEditorStart& Start);
