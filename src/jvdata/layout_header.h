#pragma once
#include "jvdata/field.h"

// Header and race identifier shared by the record layouts: X(id, offset, width, count, stride, count2, stride2).
#define RADADOVUR_HEADER_FIELDS(X) \
  X(RecordSpec, 0, 2, 1, 0, 1, 0)  \
  X(DataCategory, 2, 1, 1, 0, 1, 0) \
  X(CreatedDate, 3, 8, 1, 0, 1, 0)

#define RADADOVUR_RACEID_FIELDS(X) \
  X(Year, 11, 4, 1, 0, 1, 0)       \
  X(MonthDay, 15, 4, 1, 0, 1, 0)   \
  X(VenueCode, 19, 2, 1, 0, 1, 0)  \
  X(Kaiji, 21, 2, 1, 0, 1, 0)      \
  X(Nichiji, 23, 2, 1, 0, 1, 0)    \
  X(RaceNum, 25, 2, 1, 0, 1, 0)
