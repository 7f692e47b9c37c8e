#pragma once

// Types that cross the boundary between the terminal and a component loaded with dlopen() keep
// default visibility, so run-time type information and exceptions match on both sides.
#define KORA_API __attribute__((visibility("default")))
