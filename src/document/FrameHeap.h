#pragma once
// Where frames live. A page may hold 30,000 of them, mostly made together
// when a file is read and freed together with their page, so they are
// carved one after another from shared blocks: allocation is a pointer
// bump, the frames of a page lie side by side, and a block goes back to the
// heap when its last frame is freed. Any thread may allocate and free.

#include <cstddef>

void *AllocateFrame(std::size_t size);
void FreeFrame(void *p) noexcept;
