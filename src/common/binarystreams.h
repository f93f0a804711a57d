// Standard input, output and error carry bytes as they are. Windows would otherwise turn every LF
// written into CR LF (CR CR LF after a CR of our own) and end input at the first Ctrl+Z.
#pragma once

#ifdef _WIN32
#include <cstdio>
#include <fcntl.h>
#include <io.h>
#endif

namespace tb {

inline void useBinaryStandardStreams()
{
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
}

} // namespace tb
