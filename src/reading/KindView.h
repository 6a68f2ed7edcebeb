#pragma once

// What a kind's view reports: every getter of the kind, by name and value, in
// the order the tool shows them. Each registry row carries its kind's view
// beside its grammar; the tool's views, the fuzz walk and the tests read
// kinds through it instead of casting to each class.

#include <functional>
#include <string>
#include <vector>

#include "reading/Grammar.h"

namespace ecfg {

// A field locator as a view reports it; a null entry has no address.
struct LocatorView {
    std::wstring key;
    std::wstring keyWordName;
    int offset = 0;
    std::wstring startSearchTag;
    std::wstring endSearchTag;
    std::wstring eventInfoName;
    const void* address = nullptr;
};

// A fixed-position field record as a view reports it; a null entry has no
// address.
struct RecordView {
    std::wstring name;
    int length = 0;
    int offset = 0;
    const void* address = nullptr;
};

typedef std::function<int(int)> IdTest;
typedef std::function<int(const std::wstring&)> TextTest;
// The locator filed under a name, or null.
typedef std::function<const void*(const std::wstring&)> LocatorLookup;

class KindVisitor {
public:
    virtual ~KindVisitor() = default;
    virtual void Number(const char* getter, long long value) = 0;
    // One id of what ref names.
    virtual void Id(const char* getter, int id, Ref ref) = 0;
    virtual void Text(const char* getter, const std::wstring& value) = 0;
    virtual void Texts(const char* getter, const std::vector<std::wstring>& values) = 0;
    virtual void Ids(const char* getter, const std::vector<int>& ids, Ref ref) = 0;
    // A membership test over ids of what ref names: 1 for those it holds.
    virtual void Members(const char* getter, const IdTest& test, Ref ref) = 0;
    virtual void Locators(const char* getter, const std::vector<LocatorView>& locators) = 0;
    virtual void Records(const char* getter, const std::vector<RecordView>& records) = 0;

    // Questions about values the kind holds but does not list: a membership
    // test over a list the view already reported (every listed id must
    // pass), a test over numbers or texts, a lookup of locators by name.
    // Nothing to show; walks and tests ask them.
    virtual void ListTest(const char*, const std::vector<int>&, const IdTest&) {}
    virtual void NumberTest(const char*, const IdTest&) {}
    virtual void TextTest(const char*, const ecfg::TextTest&) {}
    virtual void Lookup(const char*, const LocatorLookup&) {}
};

// A map of names to locators (CMessageFieldConfig), as a view reports it.
template <class Map>
std::vector<LocatorView> LocatorsOf(const Map& map) {
    std::vector<LocatorView> out;
    for (const auto& entry : map) {
        LocatorView view;
        view.key = entry.first;
        if (const auto* f = entry.second) {
            view.keyWordName = f->GetKeyWordName();
            view.offset = f->GetOffset();
            view.startSearchTag = f->GetStartSearchTag();
            view.endSearchTag = f->GetEndSearchTag();
            view.eventInfoName = f->GetEventInfoName();
            view.address = f;
        }
        out.push_back(view);
    }
    return out;
}

// Field records (MsgField, MsgFieldConfig), as a view reports them.
template <class Record>
std::vector<RecordView> RecordsOf(const std::vector<Record*>& records) {
    std::vector<RecordView> out;
    for (const Record* r : records) {
        RecordView view;
        if (r) {
            view.name = r->strName;
            view.length = r->nLength;
            view.offset = r->nStartOffset;
            view.address = r;
        }
        out.push_back(view);
    }
    return out;
}

}  // namespace ecfg
