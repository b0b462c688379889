// Asks the maker whether a newer version of the program exists.
#pragma once

namespace UComon {

// True when the maker offers a newer version; false when not, or when the
// question cannot be answered.
bool Check_Version();

} // namespace UComon
