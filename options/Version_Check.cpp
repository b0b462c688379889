#include "options/Version_Check.h"

namespace UComon {

bool Check_Version() { return false; }

} // namespace UComon
