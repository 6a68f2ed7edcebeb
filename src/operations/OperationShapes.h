#pragma once

// What the field-check, timer and initial-field kinds share: the definitions
// every kind needs and the steps their constructors are written in.

#include <string>
#include <utility>

#include "eventconfig/operations/OperationTypeConfig.h"
#include "reading/Reading.h"

namespace ecfg {

// A reader inside the operation element (the sub-document's first element,
// whatever its name), before its first child.
class InsideOperation : public XmlReader {
public:
    explicit InsideOperation(const XmlSource& source) : XmlReader(source) {
        Find();
        Into();
    }
};

// A reader on the operation element itself, for kinds that search its
// children without going into it.
class OnOperation : public XmlReader {
public:
    explicit OnOperation(const XmlSource& source) : XmlReader(source) { Find(); }
};

// The fixed-position locator spread over a kind's three fields.
inline void Unpack(const FixedLocator& locator, std::wstring& name, int& length, int& offset) {
    name = locator.name;
    length = locator.length;
    offset = locator.offset;
}

}  // namespace ecfg

// The prototype constructor (defaults and the kind's type id), the XML
// constructor from a text (taken as SubDoc) and Clone of a kind whose
// constructor from a source has a body of its own.
#define ECFG_OPERATION_PROTOTYPE(Kind, typeID, SubDoc)       \
    Kind::Kind() {                                           \
        SetOperationType(typeID);                            \
    }                                                        \
    ECFG_TEXT_CONSTRUCTOR(Kind, SubDoc)                      \
    COperationTypeConfig* Kind::Clone(std::wstring subDoc) { \
        return new Kind(std::move(subDoc));                  \
    }

// The four definitions of a kind that is its shape under its own name: the
// prototype from the shape's id constructor, the one from a source from the
// given shape initialiser (of `source`), the one from a text and Clone.
#define ECFG_OPERATION_SHAPE_KIND(Kind, Shape, typeID, xmlInit) \
    Kind::Kind() : Shape(typeID) {}                             \
    Kind::Kind(const ecfg::XmlSource& source) : xmlInit {}      \
    ECFG_TEXT_CONSTRUCTOR(Kind, std::wstring)                   \
    COperationTypeConfig* Kind::Clone(std::wstring subDoc) {    \
        return new Kind(std::move(subDoc));                     \
    }
