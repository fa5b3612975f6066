#pragma once
// The keyboard walk between the edit boxes of the main page (Left at the
// start or Right at the end of a box): the twelve level boxes, the twelve
// delay boxes, the two crossover frequencies, the main volume, then the
// frequency, Q and gain boxes of the selected output's bands, and round
// again. Speaker delays and the ACC box are not part of it.
#include <functional>
#include <string>
#include <vector>

namespace dravo {

// The ring for `bandCount` bands, in walking order.
std::vector<std::string> EditRingOrder(int bandCount);

// Where Left (`right` false) or Right goes from the box `from`: the next box
// of the ring that `reachable` accepts. Right from the main volume enters the
// bands at the first frequency box, or at the first gain box when that one
// cannot be reached (the graphic view); Left from the first gain box goes to
// the last Q box, or to the main volume likewise. Empty when `from` is not in
// the ring or nothing can be reached.
std::string NextInEditRing(const std::string& from, bool right, int bandCount,
                           const std::function<bool(const std::string&)>& reachable);

} // namespace dravo
