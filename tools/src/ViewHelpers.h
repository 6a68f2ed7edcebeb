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

// The candidates for which a membership test answers 1, in the order given.
template <class Test>
std::vector<int> Members(const std::vector<int>& candidates, Test test) {
    std::vector<int> members;
    for (int id : candidates)
        if (test(id)) members.push_back(id);
    return members;
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
