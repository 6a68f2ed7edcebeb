#pragma once

// What the action kinds of one shape share: the definitions every kind needs
// (prototype constructor with its type id, Clone) and the reads of the shapes
// that several kinds have in common.

#include <string>
#include <utility>
#include <vector>

#include "eventconfig/actions/ActionConfig.h"
#include "reading/Reading.h"

// The prototype constructor (defaults and the kind's type id), the XML
// constructor from a text and Clone.
#define ECFG_ACTION_KIND(Kind, typeID)                \
    Kind::Kind() {                                    \
        SetActionType(typeID);                        \
    }                                                 \
    ECFG_TEXT_CONSTRUCTOR(Kind, std::wstring)         \
    CActionConfig* Kind::Clone(std::wstring subDoc) { \
        return new Kind(std::move(subDoc));           \
    }

// The same for a kind whose constructor from a source is its shape's.
#define ECFG_ACTION_SHAPE_KIND(Kind, Shape, typeID) \
    ECFG_ACTION_KIND(Kind, typeID)                  \
    Kind::Kind(const ecfg::XmlSource& source) : Shape(source) {}

namespace ecfg {

// Every child of the action element, any name, in document order: its text as
// a decimal id; empty text counts as 0.
inline std::vector<int> ReadActionIdList(const XmlSource& source) {
    std::vector<int> ids;
    XmlReader reader(source);
    reader.Find();
    ReadChildNumbers(reader, Wtoi, EmptyText::AsZero, ids);
    return ids;
}

// The text of the action element's child of that name as decimal; 0 when the
// child is absent.
inline int ReadActionChildDec(const XmlSource& source, MCD_CSTR name) {
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
    ReadChildNumbers(reader, HexToInt, EmptyText::AsZero, msgIDs);
    return field;
}

}  // namespace ecfg
