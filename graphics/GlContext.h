// Whether a GL context is current on this thread. Textures and labels record
// their work until one is, so that data readers that create them run (and
// are tested) without a display.
#pragma once

bool glContextIsCurrent();
