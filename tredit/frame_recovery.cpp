#include <QtGui/QCloseEvent>
#include <QtGui/QSessionManager>
#include <QtWidgets/QApplication>
#include <cstdio>

#include "frame_window.h"
#include "map_window.h"
#include "recovery_session.h"
#include "recovery_store.h"

void TfrmTrain::StartRecovery(const QString& Folder) {
  Recovery = std::make_unique<TRecoverySession>(Folder);
  // The desktop session ends: keep the maps before the program is ended,
  // and, when they cannot be kept and the user can still be asked, say so
  // and stop the logout.
  connect(qApp, &QGuiApplication::commitDataRequest, this,
          [this](QSessionManager& Manager) {
            const QString failure = KeepUnsavedMaps();
            if (failure.isEmpty() || !Manager.allowsInteraction()) return;
            ShowError(failure);
            Manager.release();
            Manager.cancel();
          });
  // The event loop ends some other way than through Exit.
  connect(qApp, &QCoreApplication::aboutToQuit, this, [this] {
    if (!Ended) KeepUnsavedMaps();
  });
}

bool TfrmTrain::ReopenRecoveredMaps() {
  if (Recovery == nullptr) return false;
  const auto left = Recovery->TakeOverLeftEntries();
  for (const TRecoverySession::TLeftEntry& entry : left) {
    NewMapWindow()->ReopenRecovered(entry.Folder, entry.Entry);
  }
  return !left.empty();
}

QString TfrmTrain::KeepUnsavedMaps() {
  const std::vector<TMapDocument*> documents = Documents();
  for (TMapDocument* document : documents) document->KeepForRecovery();
  if (Recovery != nullptr && Recovery->Store() != nullptr) {
    Recovery->Store()->Flush();
  }
  QStringList failures;
  for (const TMapDocument* document : documents) {
    if (!document->Modified()) continue;
    const QString failure = RecoveryFailure(*document);
    if (failure.isEmpty()) continue;
    failures << QStringLiteral(
                    "The unsaved changes to %1 could not be kept: %2")
                    .arg(document->DocumentName(), failure);
  }
  return failures.join(QStringLiteral(".\n"));
}

QString TfrmTrain::RecoveryFailure(const TMapDocument& Document) const {
  if (Document.Recovery != nullptr) {
    return QString::fromStdString(
        Document.Recovery->Failure(Document.RecoveryEntry));
  }
  return Recovery != nullptr ? Recovery->Failure()
                             : QStringLiteral("No recovery folder");
}

void TfrmTrain::EndBySignal() {
  const QString failure = KeepUnsavedMaps();
  if (!failure.isEmpty()) {
    std::fprintf(stderr, "tredit: %s\n", qPrintable(failure));
  }
  Ended = true;
  RememberFramePlace();
  // Every event loop ends, a dialog's included.
  QCoreApplication::exit(failure.isEmpty() ? 0 : 1);
}

void TfrmTrain::closeEvent(QCloseEvent* Event) {
  const QString failure = KeepUnsavedMaps();
  if (!failure.isEmpty()) {
    ShowError(failure);
    Event->ignore();
    return;
  }
  Ended = true;
  RememberFramePlace();
  Event->accept();
}
