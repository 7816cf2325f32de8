#include "export/StandardOutput.h"

// POSIX streams never translate line ends.
void SetStandardOutputBinary() {}
