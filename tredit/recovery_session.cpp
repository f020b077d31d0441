#include "recovery_session.h"

#include <QtCore/QCoreApplication>
#include <QtCore/QDateTime>
#include <QtCore/QDir>
#include <QtCore/QFile>
#include <QtCore/QLockFile>

#include "recovery_entry.h"
#include "recovery_store.h"

namespace {

// Locks of running editors never grow stale with age: only the end of the
// process that holds one frees it.
std::unique_ptr<QLockFile> TryLock(const QString& Folder) {
  auto lock = std::make_unique<QLockFile>(Folder + QStringLiteral(".lock"));
  lock->setStaleLockTime(0);
  if (!lock->tryLock(0)) return nullptr;
  return lock;
}

std::string LocalPath(const QString& Path) {
  return QFile::encodeName(Path).toStdString();
}

}  // namespace

TRecoverySession::TRecoverySession(const QString& Base) : Base_(Base) {
  // Names sort in the order the editors started.
  const QString name = QDateTime::currentDateTimeUtc().toString(
                           QStringLiteral("yyyyMMdd'T'hhmmsszzz")) +
                       u'-' +
                       QString::number(QCoreApplication::applicationPid());
  const QDir base(Base);
  if (!Base.isEmpty() && base.mkpath(QStringLiteral("."))) {
    constexpr int kAttempts = 100;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
      const QString own =
          attempt == 0 ? name : name + u'-' + QString::number(attempt);
      // The lock comes first, so that no editor starting beside this one
      // takes the new folder for a left one; and the folder must be new,
      // never one that an ended editor left.
      std::unique_ptr<QLockFile> lock = TryLock(base.filePath(own));
      if (lock == nullptr) continue;
      if (base.mkdir(own)) {
        Held_.push_back({base.filePath(own), std::move(lock)});
        Store_ = std::make_unique<TRecoveryStore>(LocalPath(Held_[0].Path));
        return;
      }
    }
  }
  Failure_ = QStringLiteral("Cannot make a recovery folder in %1")
                 .arg(QDir::toNativeSeparators(Base));
}

TRecoverySession::~TRecoverySession() {
  Store_.reset();
  for (THeldFolder& folder : Held_) {
    if (RecoveryEntries(LocalPath(folder.Path)).empty()) {
      QDir(folder.Path).removeRecursively();
    }
    folder.Lock->unlock();
  }
}

std::vector<TRecoverySession::TLeftEntry>
TRecoverySession::TakeOverLeftEntries() {
  std::vector<TLeftEntry> left;
  if (Store_ == nullptr) return left;
  const QDir base(Base_);
  for (const QString& name :
       base.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
    const QString folder = base.filePath(name);
    if (folder == Held_.front().Path) continue;
    std::unique_ptr<QLockFile> lock = TryLock(folder);
    if (lock == nullptr) continue;
    for (const int entry : RecoveryEntries(LocalPath(folder))) {
      left.push_back({LocalPath(folder), entry});
    }
    Held_.push_back({folder, std::move(lock)});
  }
  return left;
}
