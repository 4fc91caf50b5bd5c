// Placeholder: stroke fonts to be written.
#include "bgi/canvas.h"

namespace bgi {
TextBox textBox(const std::string&, int, int) { return {}; }
}  // namespace bgi
