#include <QtGui/QCloseEvent>

#include "map_file_dialogs.h"
#include "map_window.h"

void TfrmMap::ShowErrors(const QStringList& Messages) {
  for (const QString& message : Messages) ShowError(message);
}

void TfrmMap::OpenMap(const QString& AFileName) {
  const TMapDocument::TFileResult opened = Document_->Open(AFileName);
  if (opened.Done) FileUsed(AFileName);
  ShowErrors(opened.Errors);
  Repaint();
}

void TfrmMap::SaveMap(bool AlwaysAsk) {
  QString name = Document_->FileName();
  if (AlwaysAsk || name.isEmpty()) {
    if (!AskSaveFileName(name)) return;
  }
  const TMapDocument::TFileResult saved = Document_->Save(name);
  if (saved.Done) FileUsed(name);
  ShowErrors(saved.Errors);
}

bool TfrmMap::ExecSaveDialog(QString& Name) {
  if (SaveDialog1 == nullptr) SaveDialog1 = new TMapSaveDialog(this);
  SaveDialog1->selectFile(Name);
  if (SaveDialog1->exec() != QDialog::Accepted) return false;
  Name = SaveDialog1->selectedFiles().value(0);
  return !Name.isEmpty();
}

void TfrmMap::ReopenRecovered(const std::string& Folder, int Entry) {
  const TMapDocument::TReopened reopened =
      Document_->ReopenRecovered(Folder, Entry);
  Scale = reopened.View.Scale;
  OriginX = reopened.View.OriginX;
  OriginY = reopened.View.OriginY;
  GridSpacing = reopened.View.GridSpacing;
  Repaint();
  ShowErrors(reopened.Errors);
}

void TfrmMap::closeEvent(QCloseEvent* Event) {
  // The document stays in its other windows.
  if (Document_->ViewCount() > 1) {
    Event->accept();
    return;
  }
  if (Document_->Modified()) {
    switch (AskSaveChanges(Document_->DocumentName())) {
      case TSaveChanges::Save:
        // A failed or cancelled save keeps the window and its changes.
        SaveMap(false);
        if (Document_->Modified()) {
          Event->ignore();
          return;
        }
        break;
      case TSaveChanges::Discard:
        break;
      case TSaveChanges::Cancel:
        Event->ignore();
        return;
    }
  }
  // Saved or discarded: nothing of the document is kept for recovery.
  Document_->DropRecovery();
  Event->accept();
}

void TfrmMap::DocumentChanged() {
  Stale = true;
  update();
}

void TfrmMap::HistoryMoved() {
  ShowPointLinks();
  Repaint();
}

void TfrmMap::DocumentStateChanged() {
  // Qt shows "[*]" as "*" while the window is marked modified.
  QString caption = QStringLiteral("Train Map");
  if (!Document_->FileName().isEmpty()) caption += u' ' + Document_->FileName();
  if (Document_->ViewCount() > 1) {
    caption += u':' + QString::number(Document_->ViewNumber(this));
  }
  setWindowTitle(caption + QStringLiteral("[*]"));
  setWindowModified(Document_->Modified());
}

void TfrmMap::MapReplacing() {
  CancelGestures();
  // What they follow is the old map's.
  if (Way_ != nullptr) HideWay();
  if (Run != nullptr) {
    Run.reset();
    RunChanged();
  }
}
