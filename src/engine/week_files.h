#pragma once
#include <string>
#include <vector>

#include "common/status.h"
#include "jvdata/record.h"

// Whole-file reads and rewrites for the passes of steps ④ and ⑤, reporting why a file could not
// be read or written. A file that does not exist holds nothing: that is not a failure.
namespace radadovur::engine {

// The file's bytes; empty (and OK) when it does not exist.
common::Status ReadFileBytes(const std::string& path, std::string& bytes);

// The file's records, every one whole (jvdata::CheckRecordFile): Corruption, and no bytes, for a
// file that is not; empty (and OK) when it does not exist. By record type, or for the engine's
// own files by record length alone.
common::Status ReadRecordFileBytes(const std::string& path, jvdata::RecordType type, std::string& bytes);
common::Status ReadRecordFileBytes(const std::string& path, size_t record_length, std::string& bytes);

// Puts `bytes` in place of the file through a temporary file and a rename.
common::Status ReplaceFile(const std::string& path, const std::string& bytes);

// The lists of step ②: this week's horses ("KETTONUMTHISWEEKN.dat", every value a KettoNum)
// and their dams ("HAHAHANNUMTHISWEEKN.dat", a KettoNum or blanks for a horse without a dam).
enum class IdList { kHorses, kDams };

// The values of such a list, in file order, repeats kept; none when the file does not exist.
// Every line is checked before any value is taken: one quoted value, CR LF at its end (the last
// line's too), the value a KettoNum by common::CheckDataName (or ten blanks in the dam list).
// Corruption naming the file and the first bad line, and no ids, for a list that is not.
common::Status ReadIdList(const std::string& path, IdList list, std::vector<std::string>& ids);

}  // namespace radadovur::engine
