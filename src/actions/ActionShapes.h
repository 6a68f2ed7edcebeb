#pragma once

// What the action kinds of one shape share: the definitions every kind needs
// (prototype constructor with its type id, Clone) and the reads of the shapes
// that several kinds have in common.

#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "eventconfig/actions/ActionConfig.h"
#include "reading/Reading.h"

namespace ecfg {

// Every child of the action element, any name, in document order: its text as
// a decimal id; empty text counts as 0.
inline std::vector<int> ReadActionIdList(const XmlSource& source) {
    std::vector<int> ids;
    XmlReader reader(source);
    reader.Find();
    ReadChildNumbers(reader, kDec, EmptyText::AsZero, ids);
    return ids;
}

// The text of the action element's child of that name as decimal; 0 when the
// child is absent.
inline int ReadActionChildDec(const XmlSource& source, markup::NameRef name) {
    XmlReader reader(source);
    reader.Find();
    reader.FindChild(name);
    return reader.ChildDataDec();
}

// Selects the action element and reads its child "EventID" as decimal, only
// when there is one (the id keeps its value otherwise). Later child searches
// run on from there.
inline bool ReadOptionalEventID(XmlReader& reader, int& eventID) {
    reader.Find();
    if (!reader.FindChild(L"EventID")) return false;
    eventID = reader.ChildDataDec();
    return true;
}

// The element "Msg" searched at the current level: the fixed-position locator
// on it, and one hexadecimal message id per child (empty text as 0). "Msg"
// stays current, so later searches run on after it.
inline FixedLocator ReadMsgLocatorAndIDs(XmlReader& reader, std::vector<int>& msgIDs) {
    reader.Find(L"Msg");
    FixedLocator field = ReadFixedLocator(reader);
    ReadChildNumbers(reader, kHex, EmptyText::AsZero, msgIDs);
    return field;
}

}  // namespace ecfg

// The two members every action kind writes alike: the constructor from a text
// (taken as SubDoc; its constructor from a source, on that text) and Clone,
// which moves the text so that a reader still open on it keeps reading the
// same characters.
#define ECFG_ACTION_TEXT_AND_CLONE(Kind, SubDoc)                 \
    Kind::Kind(SubDoc subDoc) : Kind(ecfg::XmlSource(subDoc)) {} \
    CActionConfig* Kind::Clone(std::wstring subDoc) {            \
        return new Kind(std::move(subDoc));                      \
    }                                                            \
    static_assert(std::is_base_of<CActionConfig, Kind>::value, #Kind " is an action kind")
