#pragma once

#include <cstddef>
#include <memory>
#include <utility>

namespace trevalon {

// A queue in one block of memory that grows by doubling and is read by position from the
// front: what the trace table keeps its rows in. Unlike std::deque it allocates nothing while
// items come and go at the same pace, and finds an item with one mask. New room is left
// uninitialised (T should be trivial): a slot is written before it is read.
template <typename T>
class RingBuffer {
public:
    std::size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    T& operator[](std::size_t i) { return m_items[(m_head + i) & (m_capacity - 1)]; }
    const T& operator[](std::size_t i) const { return m_items[(m_head + i) & (m_capacity - 1)]; }
    T& front() { return m_items[m_head]; }
    const T& front() const { return m_items[m_head]; }

    void push_back(const T& item) { emplace_back() = item; }
    // A new last item, left as it was, for the caller to fill in field by field (an item made
    // aside and copied in whole can cost more than its fields).
    T& emplace_back() {
        if (m_size == m_capacity) {
            grow();
        }
        return (*this)[m_size++];
    }
    // Appends `count` items at once.
    void append(const T* items, std::size_t count) {
        while (m_size + count > m_capacity) {
            grow();
        }
        for (std::size_t i = 0; i < count; ++i) {
            (*this)[m_size + i] = items[i];
        }
        m_size += count;
    }
    void pop_front(std::size_t count = 1) {
        m_head = (m_head + count) & (m_capacity - 1);
        m_size -= count;
    }
    // Forgets every item and gives the memory back.
    void clear() {
        m_items.reset();
        m_capacity = 0;
        m_head = 0;
        m_size = 0;
    }

private:
    void grow() {
        const std::size_t capacity = m_capacity == 0 ? 64 : m_capacity * 2;
        std::unique_ptr<T[]> bigger(new T[capacity]);
        for (std::size_t i = 0; i < m_size; ++i) {
            bigger[i] = std::move((*this)[i]);
        }
        m_items = std::move(bigger);
        m_capacity = capacity;
        m_head = 0;
    }

    std::unique_ptr<T[]> m_items;
    std::size_t m_capacity = 0;  // a power of two, or 0
    std::size_t m_head = 0;
    std::size_t m_size = 0;
};

}  // namespace trevalon
