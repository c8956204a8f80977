// Access lists of files, as Windows reports them, written out for comparison.
#pragma once

#include <windows.h>

#include <string>

namespace lqtest {

// The entries of an ACL as "SID:mask:type:flags;" each (mask in hex), in order.
std::string DescribeAcl(PACL pAcl);
// The file's DACL as DescribeAcl writes it; "no DACL" for a file without one, "<unreadable>" when the
// security descriptor cannot be read.
std::string DaclOf(const std::string& strPath);

}  // namespace lqtest
