#include "file_system.h"

#include <fcntl.h>
#include <unistd.h>

int TFileSystem::Open(const char* Path, int Flags, mode_t Mode) {
  return ::open(Path, Flags, Mode);
}

ssize_t TFileSystem::Read(int Fd, void* Buffer, size_t Count) {
  return ::read(Fd, Buffer, Count);
}

ssize_t TFileSystem::Write(int Fd, const void* Buffer, size_t Count) {
  return ::write(Fd, Buffer, Count);
}

int TFileSystem::FileSync(int Fd) { return ::fsync(Fd); }

int TFileSystem::Close(int Fd) { return ::close(Fd); }

int TFileSystem::FileStat(int Fd, struct stat& Info) {
  return ::fstat(Fd, &Info);
}

int TFileSystem::LinkStat(const char* Path, struct stat& Info) {
  return ::lstat(Path, &Info);
}

ssize_t TFileSystem::ReadLink(const char* Path, char* Buffer, size_t Size) {
  return ::readlink(Path, Buffer, Size);
}

int TFileSystem::ChangeMode(int Fd, mode_t Mode) { return ::fchmod(Fd, Mode); }

int TFileSystem::ChangeOwner(int Fd, uid_t Owner, gid_t Group) {
  return ::fchown(Fd, Owner, Group);
}

int TFileSystem::Allocate(int Fd, off_t Length) {
  return ::fallocate(Fd, 0, 0, Length);
}

int TFileSystem::Truncate(int Fd, off_t Length) {
  return ::ftruncate(Fd, Length);
}

int TFileSystem::Rename(const char* From, const char* To) {
  return ::rename(From, To);
}

int TFileSystem::Unlink(const char* Path) { return ::unlink(Path); }

TFileSystem& SystemFileSystem() {
  static TFileSystem system;
  return system;
}
