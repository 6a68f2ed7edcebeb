#pragma once

// eventconfig schema: the layout the library reads, written out as a RELAX NG
// or an XML Schema for generic XML editors and validators. Generated from the
// same element rules the check walks, so the two cannot disagree.

#include <string>

namespace ectool {

// RELAX NG (XML syntax): element order as the library searches, every
// attribute, and the content of "Operation" and "Action" chosen by "Type".
std::string RelaxNgSchema();
// XML Schema 1.0: the same layout where no "Type" decides the content and
// where no element of any name is read; such content is left open.
std::string XmlSchema();

struct Options;
int RunSchema(const Options& options);

}  // namespace ectool
