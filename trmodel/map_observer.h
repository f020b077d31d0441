#pragma once

class TTrPoint;
class TTrLine;
class TTrain;

// Told by a map of every object about to leave one of its lists, however it
// goes: removed by an edit, taken back by a roll-back, undone or redone.
// Whoever keeps a reference to an object of the map across changes lets go
// of it here, so that nothing names an object the map no longer has. The
// object is still whole while it is told.
class TMapObserver {
 public:
  virtual void Leaving(const TTrPoint& Point) = 0;
  virtual void Leaving(const TTrLine& Line) = 0;
  virtual void Leaving(const TTrain& Train) = 0;

 protected:
  ~TMapObserver() = default;
};
