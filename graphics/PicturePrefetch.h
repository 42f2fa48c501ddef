// Pictures decoded ahead on worker threads. A drawing step that knows which
// files its textures are about to load asks for them together; each load then
// takes its decoded picture instead of decoding it itself, so the decodes run
// side by side, and beside the drawing that comes before them. A picture that
// fails to decode is not kept: its load decodes it again and reports the
// failure as it always does.
#pragma once

#include <memory>
#include <string>
#include <vector>

class Image;

namespace picture_prefetch {

// Starts decoding each file (relative to the current directory) that is not
// decoded or being decoded already; the pictures are rounded to power-of-two
// sides as textures want them.
void request(const std::vector<std::string>& files);

// The picture decoded for the file (waiting while it is being decoded), taken
// out of the prefetch; null when it was not asked for or did not decode.
std::unique_ptr<Image> take(const std::string& file);

// Drops the pictures nobody took (waiting for decodes still running).
void dropUntaken();

// How many pictures are asked for and not taken.
int pending();

} // namespace picture_prefetch
