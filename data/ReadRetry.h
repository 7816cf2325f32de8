#pragma once
// How long a file that another program holds for a moment is tried again
// before it counts as unreadable: growing pauses, about a second in all.
constexpr unsigned kReadRetryPausesMs[] = {50, 100, 150, 250, 450};
