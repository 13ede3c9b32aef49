#pragma once
// Marks the classes libLumaro.so exports. The library is built with hidden visibility, so
// everything not marked stays inside it.

#if defined(LUMARO_BUILDING)
#define LUMARO_API __attribute__((visibility("default")))
#else
#define LUMARO_API
#endif
