// How large a star of a given magnitude is drawn as a point, in pixels. The
// space-file groups and the bodies seen from afar share this scale, so a planet
// and a star of the same brightness look alike.
#pragma once

// max(4.0 × (1 − m/16)^2.5, 1.1): 4.0 at magnitude 0, 1.24 at 6, and the
// smallest size 1.1 from about magnitude 7 on. Magnitudes of 16 and fainter
// (and a magnitude that is no number) get the smallest size as well, where
// the power of a negative base would have none.
float starPointSize(float magnitude);
