#pragma once

// The check's strict XML layer: whether the file is well-formed XML, as
// every XML tool reads it, and whether its bytes are what its encoding says.
// The library itself reads leniently; this names each place where it had to.

#include <string>
#include <vector>

#include "Check.h"

namespace ectool {

// `bytes`: the file as stored. `text`: the library's decoding of it, in the
// encoding it names (`encoding`); the findings' offsets are into `text`.
// libxml2 decides whether the text is well-formed; a light scan of the text
// places the mistakes people make by hand at their character and goes on
// past them, so that one file shows all of them.
std::vector<Finding> CheckXml(const std::vector<unsigned char>& bytes, const std::wstring& text,
                              const std::wstring& encoding);

}  // namespace ectool
