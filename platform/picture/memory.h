#pragma once
// While a picture is decoded, SDL's allocations larger than `largest` bytes fail. The size
// check reads the headers as the decoders do, but a decoder may read on past a part it
// cannot decode (a GIF's next image) and find a claim there: it then fails for want of
// memory instead of taking gigabytes.
#include <cstddef>

namespace pic {

class DecodingBudget {
 public:
  explicit DecodingBudget(size_t largest);
  ~DecodingBudget();
  DecodingBudget(const DecodingBudget&) = delete;
  DecodingBudget& operator=(const DecodingBudget&) = delete;
};

}  // namespace pic
