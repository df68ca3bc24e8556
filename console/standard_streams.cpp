#include "standard_streams.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#endif

// Windows opens standard input and output in text mode, which differs from the
// byte stream the engine sees elsewhere:
// - input: CR LF becomes LF (the engine drops a CR before the line end
//   anyway), but a Ctrl+Z byte also reads as the end of input, which would end
//   the engine in the middle of a game;
// - output: every LF goes out as CR LF, and an interface reading the pipe as
//   bytes (one running on a POSIX host, or through wine) sees a CR at the end
//   of each reply.
// In binary mode both streams behave as on POSIX systems: replies end in LF,
// which interfaces on Windows accept too. Standard error stays in text mode:
// only people read it.
void useBinaryStandardStreams() {
#ifdef _WIN32
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
}
