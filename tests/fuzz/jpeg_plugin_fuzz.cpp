// The JPEG plug-in on any bytes.
#include "tests/fuzz/plugin_fuzz.h"
