#include "xl/CellRangeSource.h"

namespace xl {

// Defined here so the class's virtual table lives in this library only.
TCellRangeSource::~TCellRangeSource() = default;

}  // namespace xl
