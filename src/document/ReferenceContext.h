#pragma once
// The program-wide reference paint context: scale 1, offsets 0, on a fixed
// image of its own, so text measured through it is the same whatever device
// the page is later painted on.

#include "PaintContext.h"

// Lazily created once a QGuiApplication exists; freed with it.
TPaintContext &ReferenceContext();
