#include <QtCore/QFile>
#include <QtGui/QUndoStack>
#include <stdexcept>
#include <utility>

#include "busy_cursor.h"
#include "map_document.h"

namespace {

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
  TBackgroundCommand(TMapDocument& ADocument, const QString& Text,
                     std::optional<TMapBackground> ABefore,
                     std::optional<TMapBackground> AAfter)
      : QUndoCommand(Text),
        Document(ADocument),
        Before(std::move(ABefore)),
        After(std::move(AAfter)) {}

  void undo() override { Document.ShowBackground(Before); }
  void redo() override { Document.ShowBackground(After); }

 private:
  TMapDocument& Document;
  std::optional<TMapBackground> Before;
  std::optional<TMapBackground> After;
};

void TMapDocument::SetBackground(std::optional<TMapBackground> NewBackground,
                                 const QString& Text) {
  if (SameBackground(Background_, NewBackground)) return;
  UndoStack_->push(new TBackgroundCommand(*this, Text, Background_,
                                          std::move(NewBackground)));
}

void TMapDocument::ShowBackground(
    const std::optional<TMapBackground>& Background) {
  Background_ = Background;
  StepTaken(Selection_);
}

QStringList TMapDocument::UseBackground(
    const std::optional<TBackgroundSettings>& Settings) {
  Background_.reset();
  if (!Settings) return {};
  Background_ = TMapBackground{*Settings, nullptr};
  try {
    const TBusyCursor busy;
    Background_->Picture =
        LoadBackgroundPicture(QFile::decodeName(Settings->Picture.c_str()));
  } catch (const std::runtime_error& Error) {
    // The settings stay, and are saved again, so that the picture shows
    // once it is back where they say.
    return {QString::fromStdString(Error.what())};
  }
  return {};
}
