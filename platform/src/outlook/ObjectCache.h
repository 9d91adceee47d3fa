// One live COM object per store node, so that a node reached twice answers the same
// object (the same IUnknown): the cache holds no reference, and an object leaves it
// in its destructor.
//
// An object whose last reference is being released while another thread looks it up
// is replaced rather than revived; a lookup racing with the very Release that takes
// the count to zero is not guarded against (the object model is used from one
// thread, with readers).
#pragma once

#include <mutex>
#include <unordered_map>

namespace kelvra::outlook {

template <class Object>
class ObjectCache {
 public:
  // The live object for key with one more reference, or one made by make() (which
  // returns a new Object*) and handed out the same way.
  template <class Make>
  Object* Acquire(const void* key, Make make) {
    std::lock_guard lock(mutex_);
    auto found = objects_.find(key);
    if (found != objects_.end() && found->second->RefCount() > 0) {
      found->second->AddRef();
      return found->second;
    }
    Object* object = make();
    object->AddRef();
    objects_[key] = object;
    return object;
  }

  // Called by the object's destructor.
  void Forget(const void* key, const Object* object) {
    std::lock_guard lock(mutex_);
    auto found = objects_.find(key);
    if (found != objects_.end() && found->second == object) objects_.erase(found);
  }

 private:
  std::mutex mutex_;
  std::unordered_map<const void*, Object*> objects_;
};

}  // namespace kelvra::outlook
