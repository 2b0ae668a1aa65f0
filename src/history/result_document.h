#pragma once
#include <string>
#include <string_view>

#include "common/status.h"
#include "history/items.h"

// The result document of a past meeting day ("lupRCM.txt") checked whole before its items are
// read: the readers take items by their place after a tag, so a line cut, joined or shifted would
// hand them another line's values without a word.
namespace radadovur::history {

// Every line of the document as the results pass writes it: CR LF at its end, items in the
// tagged-line grammar (common::SplitTaggedLine), a tag of the document and the number of items
// that tag has. Corruption naming the file, the line and what is wrong; OK for an empty document.
common::Status CheckResultDocument(const std::string& path, std::string_view bytes);

// Reads the document and checks it: NotFound for a missing one, IoError for one that cannot be
// read, Corruption for one that fails the check; its items in `doc` only when it is whole.
common::Status ReadResultDocument(const std::string& path, ItemStream& doc);

}  // namespace radadovur::history
