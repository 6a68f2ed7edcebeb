#pragma once

#include <map>
#include <memory>
#include <utility>
#include <vector>

// Owning containers of raw pointers, for the model's collections whose getters
// hand out plain pointers. The holder deletes what it holds; copies (where the
// element type is copyable) are deep, and an assignment frees what it replaces.
// Null entries are allowed and stay null in copies.

template <class K, class T>
class OwnedPtrMap {
public:
    typedef std::map<K, T*> map_type;

    OwnedPtrMap() = default;
    OwnedPtrMap(const OwnedPtrMap& other) {
        for (const auto& entry : other.m_map) {
            std::unique_ptr<T> copy(entry.second ? new T(*entry.second) : nullptr);
            m_map.emplace(entry.first, copy.get());
            copy.release();
        }
    }
    OwnedPtrMap(OwnedPtrMap&& other) noexcept : m_map(std::move(other.m_map)) {
        other.m_map.clear();
    }
    OwnedPtrMap& operator=(const OwnedPtrMap& other) {
        if (this != &other) {
            OwnedPtrMap copy(other);
            swap(copy);
        }
        return *this;
    }
    OwnedPtrMap& operator=(OwnedPtrMap&& other) noexcept {
        if (this != &other) {
            clear();
            m_map.swap(other.m_map);
        }
        return *this;
    }
    ~OwnedPtrMap() { clear(); }

    const map_type& get() const { return m_map; }
    bool empty() const { return m_map.empty(); }
    std::size_t size() const { return m_map.size(); }
    bool contains(const K& key) const { return m_map.find(key) != m_map.end(); }
    T* find(const K& key) const {
        auto it = m_map.find(key);
        return it == m_map.end() ? nullptr : it->second;
    }

    // A later entry under the same key replaces (and destroys) the earlier.
    void Replace(const K& key, std::unique_ptr<T> value) {
        const auto at = Place(key);
        if (at != m_map.end() && !(key < at->first)) {
            delete at->second;
            at->second = value.get();
        } else {
            m_map.emplace_hint(at, key, value.get());
        }
        value.release();
    }
    // The first entry under a key wins; a later one is destroyed.
    bool InsertIfAbsent(const K& key, std::unique_ptr<T> value) {
        const auto at = Place(key);
        if (at != m_map.end() && !(key < at->first)) return false;
        m_map.emplace_hint(at, key, value.get());
        value.release();
        return true;
    }
    void clear() {
        for (auto& entry : m_map) delete entry.second;
        m_map.clear();
    }
    void swap(OwnedPtrMap& other) noexcept { m_map.swap(other.m_map); }

private:
    // The first entry not below the key. Files list their entries mostly in
    // ascending order, so a key past the last one is placed at the end
    // without a search: filing such a list is linear, not n log n.
    typename map_type::iterator Place(const K& key) {
        if (m_map.empty() || m_map.rbegin()->first < key) return m_map.end();
        return m_map.lower_bound(key);
    }

    map_type m_map;
};

template <class T>
class OwnedPtrVector {
public:
    typedef std::vector<T*> vector_type;

    OwnedPtrVector() = default;
    OwnedPtrVector(const OwnedPtrVector& other) {
        m_vec.reserve(other.m_vec.size());
        for (T* item : other.m_vec) {
            std::unique_ptr<T> copy(item ? new T(*item) : nullptr);
            m_vec.push_back(copy.get());
            copy.release();
        }
    }
    OwnedPtrVector(OwnedPtrVector&& other) noexcept : m_vec(std::move(other.m_vec)) {
        other.m_vec.clear();
    }
    OwnedPtrVector& operator=(const OwnedPtrVector& other) {
        if (this != &other) {
            OwnedPtrVector copy(other);
            swap(copy);
        }
        return *this;
    }
    OwnedPtrVector& operator=(OwnedPtrVector&& other) noexcept {
        if (this != &other) {
            clear();
            m_vec.swap(other.m_vec);
        }
        return *this;
    }
    ~OwnedPtrVector() { clear(); }

    const vector_type& get() const { return m_vec; }
    bool empty() const { return m_vec.empty(); }
    std::size_t size() const { return m_vec.size(); }

    void reserve(std::size_t n) { m_vec.reserve(n); }
    void push_back(std::unique_ptr<T> value) {
        m_vec.push_back(value.get());
        value.release();
    }
    void clear() {
        for (T* item : m_vec) delete item;
        m_vec.clear();
    }
    void swap(OwnedPtrVector& other) noexcept { m_vec.swap(other.m_vec); }

private:
    vector_type m_vec;
};
