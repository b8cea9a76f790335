#pragma once

#include <cstdio>

// True when the stream is a terminal a person watches (so a progress line may be rewritten there).
bool isTerminal(std::FILE *stream);
