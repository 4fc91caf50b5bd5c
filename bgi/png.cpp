// Placeholder: PNG writer to be written.
#include "bgi/canvas.h"

namespace bgi {
bool writePng(const Canvas&, const std::string&) { return false; }
}  // namespace bgi
