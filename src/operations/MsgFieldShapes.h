#pragma once

// Reading steps shared by the comparison and counting kinds.

#include <string>
#include <vector>

#include "eventconfig/Owned.h"
#include "eventconfig/operations/OperationTypeConfig.h"
#include "messages/FieldLocator.h"
#include "operations/OperationShapes.h"
#include "reading/Reading.h"

namespace ecfg {

// Where a kind's type id and info come from.
enum class Header {
    OwnId,                 // the kind's own id, empty info; "Type"/"Info" not read
    FromElement,           // "Type" and "Info" as the base reads them
    FromElementThenOwnId,  // "Info" from the element, the kind's own id over "Type"
};

// The base state of a prototype: the kind's id, empty info.
inline COperationTypeConfig OwnHeader(Operation_Type_Enum id) {
    COperationTypeConfig header;
    header.SetOperationType(id);
    return header;
}

inline COperationTypeConfig ReadHeader(const XmlSource& source, Operation_Type_Enum id,
                                       Header rule) {
    if (rule == Header::OwnId) return OwnHeader(id);
    COperationTypeConfig header(source);
    if (rule == Header::FromElementThenOwnId) header.SetOperationType(id);
    return header;
}

// The "ID" (hex) of the next "InitialField", which stays current.
inline int ReadInitialFieldID(XmlReader& reader) {
    reader.Find(L"InitialField");
    return reader.AttrHex(L"ID");
}

// The next "Msg": its "ID" into the message id list (and, when asked, its
// "ReverseFind"), then its "Field", whose forward tag locator is returned; the
// "Field" stays current.
inline TagLocator ReadMsgField(XmlReader& reader, std::vector<int>& msgIDs,
                               Lower lower = Lower::None, int* reverseFind = nullptr) {
    reader.Find(L"Msg");
    GetMsgIDList(reader.Attr(L"ID"), msgIDs);
    if (reverseFind) *reverseFind = reader.AttrDec(L"ReverseFind");
    reader.Into();
    reader.Find(L"Field");
    return ReadTagLocator(reader, TagForm::Forward, lower);
}

// The same "Msg" with its one "Field" filed under its lower-cased name; returns
// "ReverseFind". A missing "Field" still files an empty locator under the
// empty name.
inline int ReadMsgFieldIntoMap(XmlReader& reader, std::vector<int>& msgIDs,
                               OwnedPtrMap<std::wstring, CMessageFieldConfig>& fields) {
    int reverseFind = 0;
    TagLocator locator = ReadMsgField(reader, msgIDs, Lower::Name, &reverseFind);
    const std::wstring key = locator.name;
    fields.Replace(key, MakeFieldConfig(std::move(locator)));
    return reverseFind;
}

}  // namespace ecfg
