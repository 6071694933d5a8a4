#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <stdexcept>

namespace app {

// A double-ended sequence of pointers that owns what they point to: erasing deletes the
// erased elements, and the sequence deletes the rest when it goes.
template <typename T>
class PtrDeque {
  public:
    PtrDeque() = default;
    PtrDeque(const PtrDeque&) = delete;
    PtrDeque& operator=(const PtrDeque&) = delete;
    PtrDeque(PtrDeque&&) noexcept = default;
    PtrDeque& operator=(PtrDeque&&) noexcept = default;
    ~PtrDeque() = default;

    // Takes ownership; if the sequence cannot grow, the element is deleted with the failure.
    void Append(std::unique_ptr<T> element) { elements_.push_back(std::move(element)); }

    T& At(int32_t index) const {
        if (index < 0 || index >= Size())
            throw std::out_of_range("PtrDeque index");
        return *elements_[static_cast<size_t>(index)];
    }

    int32_t Size() const noexcept { return static_cast<int32_t>(elements_.size()); }
    bool IsEmpty() const noexcept { return elements_.empty(); }

    // Deletes the elements from `index` to the end; an index at or past the end deletes nothing.
    void EraseFrom(int32_t index) {
        if (index < 0)
            index = 0;
        if (index < Size())
            elements_.erase(elements_.begin() + index, elements_.end());
    }

    // Deletes the first `count` elements (all of them when there are fewer).
    void EraseFirst(int32_t count) {
        if (count <= 0)
            return;
        if (count >= Size()) {
            elements_.clear();
            return;
        }
        elements_.erase(elements_.begin(), elements_.begin() + count);
    }

    void DeleteAll() noexcept { elements_.clear(); }

  private:
    std::deque<std::unique_ptr<T>> elements_;
};

}  // namespace app
