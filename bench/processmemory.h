#pragma once

// Figures of this process from /proc/self/status, in kilobytes (0 when
// missing): "VmRSS" now, "VmHWM" the peak resident size so far.
long long processStatusKilobytes(const char* key);
