// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/code_page.h"

namespace velmora::platform {

// Linux names are UTF-8 by convention.
const CodePage& SystemCodePage() { return Utf8CodePage(); }

}  // namespace velmora::platform
