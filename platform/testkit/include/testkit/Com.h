// Controls and readers of the stand-in's COM runtime and ATL module: the module's lock
// count and object map, picture objects, and an event source for testing sinks.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <optional>
#include <vector>

#include "com/comdef.h"
#include "com/ocidl.h"

namespace testkit {

// The lock count of the process's ATL module (objects alive and LockServer locks); -1
// when no module object exists.
LONG ModuleLockCount();
// The class ids listed in the process's object map, in the order they were listed.
std::vector<CLSID> ObjectMapClasses();

// Picture objects (OleCreatePictureIndirect) alive now.
std::size_t LivePictures();
struct PictureInfo {
  SHORT type = 0;  // PICTYPE_ICON or PICTYPE_BITMAP
  void* handle = nullptr;
  bool owned = false;  // the picture destroys the handle when it goes
};
// From now on OleCreatePictureIndirect fails with failure (S_OK: it works again).
void FailPictureCreation(HRESULT failure);
// What a picture object holds; nullopt for an object that is no picture.
std::optional<PictureInfo> PictureOf(IUnknown* picture);

// A COM object with one connection point per event interface given, whose events a
// test raises: what Office and Outlook objects do for sinks.
class EventSource {
 public:
  explicit EventSource(std::initializer_list<IID> interfaces);
  ~EventSource();
  EventSource(const EventSource&) = delete;
  EventSource& operator=(const EventSource&) = delete;

  // The source (it answers IConnectionPointContainer); the reference stays the source's.
  IUnknown* Object() const;
  // Calls the sinks connected to iid now, with the arguments in the order of the event's
  // parameters (the source reverses them, as Invoke takes them); the first failure of a
  // sink, S_OK when all succeed.
  HRESULT Raise(REFIID iid, DISPID id, std::vector<VARIANT> arguments = {});
  std::size_t Connections(REFIID iid) const;

 private:
  class Source;
  Source* source_;
};

}  // namespace testkit
