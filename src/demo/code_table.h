#pragma once
#include <string>

// The code table "JRACODE/CodeTable.csv" of the demo program folder: eight quoted values a row
// (kind, code, six texts), CP932, CR LF; the kinds the program looks up with the texts in the
// columns it reads.
namespace radadovur::demo {

// The file's bytes.
std::string CodeTableCsv();
// Rows in the file.
int CodeTableRows();

}  // namespace radadovur::demo
