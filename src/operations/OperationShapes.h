#pragma once

// What the field-check, timer and initial-field kinds share: the definitions
// every kind needs and the steps their constructors are written in.

#include <string>
#include <type_traits>
#include <utility>

#include "eventconfig/operations/OperationTypeConfig.h"
#include "reading/Reading.h"

namespace ecfg {

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

// The two members every operation kind writes alike: the constructor from a
// text (taken as SubDoc; its constructor from a source, on that text) and
// Clone, which moves the text so that a reader still open on it keeps reading
// the same characters.
#define ECFG_OPERATION_TEXT_AND_CLONE(Kind, SubDoc)                                             \
    Kind::Kind(SubDoc subDoc) : Kind(ecfg::XmlSource(subDoc)) {}                                \
    COperationTypeConfig* Kind::Clone(std::wstring subDoc) {                                    \
        return new Kind(std::move(subDoc));                                                     \
    }                                                                                           \
    static_assert(std::is_base_of<COperationTypeConfig, Kind>::value, #Kind " is an operation " \
                                                                            "kind")
