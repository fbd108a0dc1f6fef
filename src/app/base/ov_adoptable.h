#pragma once

#include <QPointer>

// An object made without a parent for another object to adopt: a view's
// widget that a palette or frame puts into its layout. The holder owns it
// until then and afterwards shares it with the adopting parent: whichever
// of the two goes first deletes it, and the holder notices when the parent
// did (it then reads as null).
template <class T>
class ov_adoptable {
public:
  ov_adoptable() = default;
  explicit ov_adoptable(T* object) : object_(object) {}
  ~ov_adoptable() { delete object_.data(); }
  ov_adoptable(ov_adoptable&& other) noexcept : object_(other.object_) { other.object_.clear(); }
  ov_adoptable& operator=(ov_adoptable&& other) noexcept {
    if (this != &other) {
      reset(other.object_.data());
      other.object_.clear();
    }
    return *this;
  }
  ov_adoptable(const ov_adoptable&) = delete;
  ov_adoptable& operator=(const ov_adoptable&) = delete;

  // Takes object, deleting the one held before.
  ov_adoptable& operator=(T* object) {
    reset(object);
    return *this;
  }
  void reset(T* object = nullptr) {
    if (object_.data() == object) return;
    delete object_.data();
    object_ = object;
  }

  T* data() const { return object_.data(); }
  T* operator->() const { return object_.data(); }
  T& operator*() const { return *object_; }
  operator T*() const { return object_.data(); }

private:
  QPointer<T> object_;
};
