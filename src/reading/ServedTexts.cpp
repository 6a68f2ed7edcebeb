#include "reading/ServedTexts.h"

#include <atomic>
#include <cwchar>
#include <mutex>
#include <shared_mutex>
#include <unordered_map>

#include "reading/Reading.h"

namespace ecfg {

namespace {

struct Shelf {
    std::shared_mutex lock;
    // Keyed by length: a look-up compares only texts of its own length.
    std::unordered_multimap<std::size_t, ServedText> texts;
    // Lets the common look-up with nothing served skip the lock.
    std::atomic<std::size_t> count{0};
};

// Never destroyed: a root that is a static object withdraws its texts at
// exit, perhaps after the shelf's own destructor would have run.
Shelf& TheShelf() {
    static Shelf* const shelf = new Shelf;
    return *shelf;
}

}  // namespace

void ServedTexts::Batch::Add(const void* slot, const wchar_t* text, std::size_t length,
                             const XmlReader& reader) {
    for (auto it = m_texts.begin(); it != m_texts.end();)
        it = it->slot == slot ? m_texts.erase(it) : std::next(it);
    ServedText entry{m_owner, slot, text, length, nullptr, 0};
    if (Entry(reader, entry)) m_texts.push_back(std::move(entry));
}

bool ServedTexts::Entry(const XmlReader& reader, ServedText& entry) {
    const uint32_t node = reader.Elem();
    const markup::Cursor& c = reader.m_cursor;
    // Only a fully indexed, well-formed text's elements read the same from
    // their own sub-document; the text must be that sub-document exactly.
    if (node == 0 || !c.WellFormed() || c.GetIndex().maxDepth != markup::kAllLevels ||
        entry.length != c.SubDocLength(node))
        return false;
    entry.index = c.SharedIndex();
    entry.top = node;
    return true;
}

void ServedTexts::Serve(Batch&& batch) {
    if (batch.m_texts.empty()) return;
    Shelf& shelf = TheShelf();
    std::unique_lock<std::shared_mutex> hold(shelf.lock);
    for (ServedText& s : batch.m_texts) shelf.texts.emplace(s.length, std::move(s));
    shelf.count.store(shelf.texts.size(), std::memory_order_release);
}

void ServedTexts::Withdraw(const void* owner) {
    Shelf& shelf = TheShelf();
    if (shelf.count.load(std::memory_order_acquire) == 0) return;
    std::unique_lock<std::shared_mutex> hold(shelf.lock);
    for (auto it = shelf.texts.begin(); it != shelf.texts.end();)
        it = it->second.owner == owner ? shelf.texts.erase(it) : std::next(it);
    shelf.count.store(shelf.texts.size(), std::memory_order_release);
}

bool ServedTexts::Open(const std::wstring& text, markup::Cursor& cursor) {
    Shelf& shelf = TheShelf();
    // An empty text is indexed in no time; nothing served saves no lock.
    if (text.empty() || shelf.count.load(std::memory_order_acquire) == 0) return false;
    std::shared_lock<std::shared_mutex> hold(shelf.lock);
    const auto range = shelf.texts.equal_range(text.size());
    for (auto it = range.first; it != range.second; ++it) {
        const ServedText& s = it->second;
        // A comparison costs a small part of indexing, and no equal length
        // or hash can stand in for it.
        if (s.text == text.data() || std::wmemcmp(s.text, text.data(), text.size()) == 0) {
            cursor.OpenView(text.data(), text.size(), s.index, s.top);
            return true;
        }
    }
    return false;
}

}  // namespace ecfg
