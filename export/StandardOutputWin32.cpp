#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "export/StandardOutput.h"

// A text-mode stream would write CR CR LF for every CR LF of the export.
void SetStandardOutputBinary() { _setmode(_fileno(stdout), _O_BINARY); }
