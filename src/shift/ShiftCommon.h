// Helpers shared by the shift searches.
#ifndef CONVERTD_SHIFT_SHIFTCOMMON_H_
#define CONVERTD_SHIFT_SHIFTCOMMON_H_

// The deepest nesting of the gear-up and rated-speed searches: a gear-up
// search, the rated-speed shift it asks for, and the gear-up search that one
// makes.
const int kMaxSearchDepth = 3;

// A candidate gear of a search and the distance it falls behind the target
// over the window, in metres.
struct GearDeficit {
  int gear;
  double deficit;
};

// The index of the entry with the smallest absolute deficit; among equal
// ones the highest gear, or the lowest one.
int ChooseGear(const GearDeficit* table, int count, bool tiesToHigher);

#endif  // CONVERTD_SHIFT_SHIFTCOMMON_H_
