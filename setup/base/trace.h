// Trace points: where the setup program has been, kept for the post-mortem error report.
#pragma once

// Records the source file and line in the process's trace ring (cheap: one lock, no allocation).
void trace_point(const char* source_path, int line);

#define TRACE_POINT() trace_point(__FILE__, __LINE__)
