#include "console/link_extension.h"

#include "platform/path_extension.h"

namespace ff {

Text link_extension(const Text& link) { return Text(path_find_extension(link.view())); }

}  // namespace ff
