#pragma once
// Standard output that passes CR LF through unchanged on every system.
void SetStandardOutputBinary();
