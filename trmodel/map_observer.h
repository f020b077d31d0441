#pragma once

#include "map_change.h"

class TTrPoint;
class TTrLine;
class TTrain;

// Told by a map around every change it applies, in the one place where a
// map changes. Before a change, the objects it takes out are still in their
// lists; after it, those it puts in are there. Leaving names each object
// about to leave one of the lists, however it goes: removed by an edit,
// taken back by a roll-back, undone or redone. Whoever keeps a reference to
// an object of the map across changes lets go of it there, so that nothing
// names an object the map no longer has; the object is still whole then.
class TMapObserver {
 public:
  virtual void BeforeChange(const TMapChange&) {}
  virtual void AfterChange(const TMapChange&) {}
  virtual void Leaving(const TTrPoint&) {}
  virtual void Leaving(const TTrLine&) {}
  virtual void Leaving(const TTrain&) {}

 protected:
  ~TMapObserver() = default;
};
