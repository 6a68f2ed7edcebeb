#pragma once

// Reading shared by the log-field, rule-record and radio-link action kinds:
// a reader that starts inside the action element, and the filing of tag-form
// field locators into an owning map keyed by field name.

#include <string>
#include <utility>

#include "actions/ActionShapes.h"
#include "eventconfig/Owned.h"
#include "eventconfig/messages/MsgConfig.h"
#include "messages/FieldLocator.h"
#include "reading/Reading.h"

namespace ecfg {

typedef OwnedPtrMap<std::wstring, CMessageFieldConfig> FieldConfigMap;

// Files the current element's locator under its (possibly lower-cased) name;
// a repeated name replaces, and destroys, the earlier entry. With no element
// current the entry is made from empty attributes.
inline void FileField(const XmlReader& reader, TagForm form, Lower lower, FieldConfigMap& fields) {
    TagLocator locator = ReadTagLocator(reader, form, lower);
    const std::wstring key = locator.name;
    fields.Replace(key, MakeFieldConfig(std::move(locator)));
}

// Every "Field" child of the current element, in document order.
inline void FileEveryField(XmlReader& reader, TagForm form, Lower lower, FieldConfigMap& fields) {
    reader.EachChild(L"Field", [&] { FileField(reader, form, lower, fields); });
}

}  // namespace ecfg
