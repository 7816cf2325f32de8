#include "export/StandardOutput.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>

// A text-mode stream would write CR CR LF for every CR LF of the export.
void SetStandardOutputBinary() { _setmode(_fileno(stdout), _O_BINARY); }
