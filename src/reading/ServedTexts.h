#pragma once

// The texts the configuration root hands out, each beside the index the root
// built of it. The host reads a protocol's document from its own copy of the
// root's text; a reader of a text equal to one served here reads through the
// root's index instead of indexing the text a second time.
//
// Thread safety: readers on any thread look texts up while the root (on its
// own thread) serves and withdraws them. A look-up compares the text with the
// root's own under a shared lock, which a root takes exclusively before it
// changes or frees a served string; the index is immutable and shared, so a
// reader keeps it after the root has gone.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "xml/MarkupImpl.h"

namespace ecfg {

class XmlReader;

struct ServedText {
    const void* owner;
    const void* slot;     // where the owner keeps the text
    const wchar_t* text;  // the owner's characters, compared under the lock
    std::size_t length;
    std::shared_ptr<const markup::Index> index;
    uint32_t top;  // the element of `index` whose sub-document the text is
};

class ServedTexts {
public:
    // The texts an owner will serve, gathered while it writes them.
    class Batch {
    public:
        explicit Batch(const void* owner) : m_owner(owner) {}
        // [text, text + length) is the sub-document of the reader's current
        // element, kept in the owner's `slot`. A slot added again (rewritten
        // since) serves only its new text.
        void Add(const void* slot, const wchar_t* text, std::size_t length,
                 const XmlReader& reader);

    private:
        friend class ServedTexts;
        const void* m_owner;
        std::vector<ServedText> m_texts;
    };

    // Serves the batch's texts, which the owner keeps unchanged until it
    // withdraws them.
    static void Serve(Batch&& batch);
    // Withdraws everything the owner serves; afterwards its texts may change.
    static void Withdraw(const void* owner);
    // Opens the cursor on `text` through a served index when a served text
    // equals it; false (the cursor untouched) otherwise.
    static bool Open(const std::wstring& text, markup::Cursor& cursor);

private:
    // The entry for a copy of the reader's current element; false when the
    // element cannot be read through the reader's index.
    static bool Entry(const XmlReader& reader, ServedText& entry);
};

}  // namespace ecfg
