#pragma once

// What the field-check, timer and initial-field kinds share: the definitions
// every kind needs and the steps their constructors are written in.

#include <string>
#include <utility>

#include "eventconfig/operations/OperationTypeConfig.h"
#include "model/Reading.h"

namespace ecfg {

// A reader inside the operation element (the sub-document's first element,
// whatever its name), before its first child.
class InsideOperation : public XmlReader {
public:
    explicit InsideOperation(const std::wstring& subDoc) : XmlReader(subDoc) {
        Find();
        Into();
    }
};

// A reader on the operation element itself, for kinds that search its
// children without going into it.
class OnOperation : public XmlReader {
public:
    explicit OnOperation(const std::wstring& subDoc) : XmlReader(subDoc) { Find(); }
};

// The fixed-position locator spread over a kind's three fields.
inline void Unpack(const FixedLocator& locator, std::wstring& name, int& length, int& offset) {
    name = locator.name;
    length = locator.length;
    offset = locator.offset;
}

}  // namespace ecfg

// The prototype constructor (defaults and the kind's type id) and Clone of a
// kind whose XML constructor has a body of its own.
#define ECFG_OPERATION_PROTOTYPE(Kind, typeID)               \
    Kind::Kind() {                                           \
        SetOperationType(typeID);                            \
    }                                                        \
    COperationTypeConfig* Kind::Clone(std::wstring subDoc) { \
        return new Kind(std::move(subDoc));                  \
    }

// The three definitions of a kind that is its shape under its own name: the
// prototype from the shape's id constructor, the XML constructor from the
// given shape initialiser, and Clone.
#define ECFG_OPERATION_SHAPE_KIND(Kind, Shape, typeID, xmlInit) \
    Kind::Kind() : Shape(typeID) {}                             \
    Kind::Kind(std::wstring subDoc) : xmlInit {}                \
    COperationTypeConfig* Kind::Clone(std::wstring subDoc) {    \
        return new Kind(std::move(subDoc));                     \
    }
