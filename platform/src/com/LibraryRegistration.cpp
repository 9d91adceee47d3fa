#include "com/TypeLibraries.h"

namespace kelvra::typelib {

LibraryRegistration::LibraryRegistration(const Library& library) : library_(library) {
  com::TypeLibraries::Instance().Add(library_);
}

LibraryRegistration::~LibraryRegistration() { com::TypeLibraries::Instance().Remove(library_); }

}  // namespace kelvra::typelib
