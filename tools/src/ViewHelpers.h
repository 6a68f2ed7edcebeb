#pragma once

// The pieces every getter dump shares.

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "Text.h"
#include "View.h"
#include "eventconfig/EventConfig.h"

namespace ectool {
namespace view {

inline std::string Demangle(const char* name) {
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> plain(
        abi::__cxa_demangle(name, nullptr, nullptr, &status), std::free);
    return status == 0 && plain ? std::string(plain.get()) : std::string(name);
}

inline Json Strings(const std::vector<std::wstring>& texts) {
    Json out = Json::array();
    for (const std::wstring& text : texts) out.push_back(Utf8(text));
    return out;
}

template <class Map>
Json Locators(const Map& map) {
    Json out = Json::array();
    for (const auto& entry : map) {
        const CMessageFieldConfig* f = entry.second;
        if (!f) continue;
        out.push_back({{"key", Utf8(entry.first)},
                       {"GetKeyWordName", Utf8(f->GetKeyWordName())},
                       {"GetOffset", f->GetOffset()},
                       {"GetStartSearchTag", Utf8(f->GetStartSearchTag())},
                       {"GetEndSearchTag", Utf8(f->GetEndSearchTag())},
                       {"GetEventInfoName", Utf8(f->GetEventInfoName())}});
    }
    return out;
}

template <class Record>
Json Records(const std::vector<Record*>& records) {
    Json out = Json::array();
    for (const Record* r : records)
        if (r)
            out.push_back({{"strName", Utf8(r->strName)},
                           {"nLength", r->nLength},
                           {"nStartOffset", r->nStartOffset}});
    return out;
}

// The candidates for which a membership test answers 1, in the order given.
template <class Test>
std::vector<int> Members(const std::vector<int>& candidates, Test test) {
    std::vector<int> members;
    for (int id : candidates)
        if (test(id)) members.push_back(id);
    return members;
}

// Calls f with the object as the first of the classes it is.
template <class... Kinds, class Base, class F>
bool As(Base& object, F f) {
    return ((dynamic_cast<Kinds*>(&object) ? (f(*dynamic_cast<Kinds*>(&object)), true) : false) ||
            ...);
}

inline void Append(std::vector<int>& to, const std::vector<int>& from) {
    to.insert(to.end(), from.begin(), from.end());
}

// A view with the base's class, type id and info filled in.
template <class Object>
ObjectView NewView(Object& object, int typeId, const std::wstring& info) {
    ObjectView view;
    view.className = ClassNameOf(object);
    view.typeId = typeId;
    view.info = Utf8(info);
    return view;
}

}  // namespace view
}  // namespace ectool
