#include <QtCore/QFile>
#include <QtGui/QUndoStack>
#include <stdexcept>
#include <utility>

#include "background_dialog.h"
#include "busy_cursor.h"
#include "map_window.h"

namespace {

std::string LocalName(const QString& Name) {
  return QFile::encodeName(Name).toStdString();
}

bool SameBackground(const std::optional<TMapBackground>& A,
                    const std::optional<TMapBackground>& B) {
  if (A.has_value() != B.has_value()) return false;
  return !A || (A->Settings == B->Settings && A->Picture == B->Picture);
}

}  // namespace

// One step of the history that changes the background alone; the map's
// journal is not involved. Both states share their picture, so undo and
// redo read nothing.
class TBackgroundCommand : public QUndoCommand {
 public:
  TBackgroundCommand(TfrmMap& AWindow, const QString& Text,
                     std::optional<TMapBackground> ABefore,
                     std::optional<TMapBackground> AAfter)
      : QUndoCommand(Text),
        Window(AWindow),
        Before(std::move(ABefore)),
        After(std::move(AAfter)) {}

  void undo() override { Show(Before); }
  void redo() override { Show(After); }

 private:
  void Show(const std::optional<TMapBackground>& Background) {
    Window.Background = Background;
    Window.Repaint();
  }

  TfrmMap& Window;
  std::optional<TMapBackground> Before;
  std::optional<TMapBackground> After;
};

void TfrmMap::SetBackground(std::optional<TMapBackground> NewBackground,
                            const QString& Text) {
  if (SameBackground(Background, NewBackground)) return;
  UndoStack->push(new TBackgroundCommand(*this, Text, Background,
                                         std::move(NewBackground)));
}

void TfrmMap::EditBackground() {
  if (GestureUnderway()) return;
  if (BackgroundDialog == nullptr) BackgroundDialog = new TfrmBackground(this);
  TfrmBackground& dialog = *BackgroundDialog;
  dialog.SetValues(Background);
  if (!ShowBackgroundDialog(dialog)) return;
  if (dialog.RemoveChosen()) {
    SetBackground(std::nullopt, QStringLiteral("Remove Background"));
    return;
  }
  try {
    SetBackground(dialog.Values(), Background
                                       ? QStringLiteral("Change Background")
                                       : QStringLiteral("Set Background"));
  } catch (const std::runtime_error& Error) {
    ShowError(QString::fromStdString(Error.what()));
  }
}

void TfrmMap::UseBackground(
    const std::optional<TBackgroundSettings>& Settings) {
  Background.reset();
  if (!Settings) return;
  Background = TMapBackground{*Settings, nullptr};
  try {
    const TBusyCursor busy;
    Background->Picture =
        LoadBackgroundPicture(QFile::decodeName(Settings->Picture.c_str()));
  } catch (const std::runtime_error& Error) {
    // The settings stay, and are saved again, so that the picture shows
    // once it is back where they say.
    ShowError(QString::fromStdString(Error.what()));
  }
}

void TfrmMap::ReadBackground(const QString& AFileName) {
  std::optional<TBackgroundSettings> settings;
  try {
    settings = LoadBackgroundSettings(LocalName(AFileName), *Files);
  } catch (const std::runtime_error& Error) {
    ShowError(QString::fromStdString(Error.what()));
  }
  UseBackground(settings);
}

void TfrmMap::WriteBackground(const QString& AFileName) {
  SaveBackgroundSettings(
      LocalName(AFileName),
      Background ? std::optional(Background->Settings) : std::nullopt);
}
