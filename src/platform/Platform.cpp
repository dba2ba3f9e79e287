// Platform has no code of its own; this file gives the library an object to build.
#include "platform/Platform.h"
