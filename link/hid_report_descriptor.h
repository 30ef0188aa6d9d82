#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace lumera {

// Report lengths as the device declares them in its report descriptor, in
// bytes with the report-id byte counted (it is 0 and still sent and received
// first when the device has no numbered reports). Each is the longest report
// of its kind, 0 when the device has none.
struct HidReportLengths {
  std::size_t input = 0;
  std::size_t output = 0;
  std::size_t feature = 0;
  // The device numbers its reports, so the report id travels with the data
  // on reads as well.
  bool numbered = false;
};

// Walks the items of a report descriptor and adds up the bits of every
// Input, Output and Feature item per report id. Returns nothing for a
// descriptor that is cut off inside an item, pops more than it pushed, nests
// pushes without bound, or declares a report too large to be real.
std::optional<HidReportLengths> ParseHidReportDescriptor(const uint8_t* data, std::size_t size);

}  // namespace lumera
