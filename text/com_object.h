#pragma once

#include <memory>
#include <utility>

namespace quillet {

// A counted reference to one engine object, or nothing. Copies share the
// object; clearing drops only this reference.
template <class T>
class ComObject {
public:
    ComObject() = default;

    template <class... Args>
    static ComObject make(Args&&... args) {
        ComObject ref;
        ref.object_ = std::make_shared<T>(std::forward<Args>(args)...);
        return ref;
    }

    bool empty() const { return object_ == nullptr; }
    void clear() { object_.reset(); }
    T* get() const { return object_.get(); }
    T* operator->() const { return object_.get(); }
    long useCount() const { return object_.use_count(); }
    bool sameObject(const ComObject& other) const { return object_ == other.object_; }

private:
    std::shared_ptr<T> object_;
};

}  // namespace quillet
