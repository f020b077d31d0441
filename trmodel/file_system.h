#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <string>

// The few operating-system file calls that map files go through. Each
// returns what the system call returns and leaves errno as it sets it.
// Tests derive from it to make one call fail the way a full disk or a
// refused access would, which no permission bit can do for root.
class TFileSystem {
 public:
  virtual ~TFileSystem() = default;

  virtual int Open(const char* Path, int Flags, mode_t Mode);
  virtual ssize_t Read(int Fd, void* Buffer, size_t Count);
  virtual ssize_t Write(int Fd, const void* Buffer, size_t Count);
  virtual int FileSync(int Fd);
  virtual int Close(int Fd);
  virtual int FileStat(int Fd, struct stat& Info);
  virtual int LinkStat(const char* Path, struct stat& Info);
  virtual ssize_t ReadLink(const char* Path, char* Buffer, size_t Size);
  virtual int ChangeMode(int Fd, mode_t Mode);
  virtual int ChangeOwner(int Fd, uid_t Owner, gid_t Group);
  // Reserves disk room for the first Length bytes, growing the file to it.
  virtual int Allocate(int Fd, off_t Length);
  virtual int Truncate(int Fd, off_t Length);
  virtual int Rename(const char* From, const char* To);
  virtual int Unlink(const char* Path);
};

// The calls as the operating system makes them.
TFileSystem& SystemFileSystem();
