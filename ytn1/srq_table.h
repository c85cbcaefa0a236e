// The table of service-request callbacks.
#pragma once

namespace ytn1 {

// Empties the table (start-up of the library).
void SrqTableReset();

}  // namespace ytn1
