// The work list of the loader's walks over a term: the first entries stand inside the object, so
// that the walk of an ordinary clause, a few dozen slots deep at most, asks nothing of the heap;
// a deeper one goes on in a heap vector.
#pragma once

#include <algorithm>
#include <cstddef>
#include <type_traits>
#include <vector>

template <class T, size_t kInline = 64>
class PlWorkStack {
    static_assert(std::is_trivially_default_constructible_v<T>, "the inline entries are left unmade");
public:
    PlWorkStack() = default;
    explicit PlWorkStack(T first) { push_back(first); }
    PlWorkStack(const PlWorkStack&) = delete;
    PlWorkStack& operator=(const PlWorkStack&) = delete;

    bool empty() const { return size_ == 0; }
    size_t size() const { return size_; }
    T* begin() { return data_; }
    T* end() { return data_ + size_; }
    T& back() { return data_[size_ - 1]; }
    void pop_back() { --size_; }
    // The common step stays small enough to be inlined into every walk; growing is rare.
    [[gnu::always_inline]] void push_back(T item) {
        if (size_ == capacity_) [[unlikely]]
            grow();
        data_[size_++] = item;
    }

private:
    [[gnu::noinline]] void grow() {
        heap_.resize(capacity_ * 2);
        if (data_ == inline_) std::copy(inline_, inline_ + size_, heap_.begin());
        data_ = heap_.data();
        capacity_ = heap_.size();
    }

    T inline_[kInline];  // entries at and above size_ are never read
    std::vector<T> heap_;
    T* data_ = inline_;
    size_t size_ = 0;
    size_t capacity_ = kInline;
};
