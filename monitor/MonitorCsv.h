#pragma once

#include "monitor/MonitorFrame.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kordana {

/// The header row of the monitor CSV file: "timestamp" and one column per decoded field, each
/// named with its unit (engine_speed_rpm, pressure_kpa, ...). No line end.
std::string monitorCsvHeader();

/// One CSV row for an intact monitor frame received at timestamp, in engineering units:
/// rpm, kPa, mV, V, degC, us, %, degrees, s; flags as 0/1; a temperature whose sensor reports
/// an error is left empty. No line end.
std::string monitorCsvRow(std::string_view timestamp, const MonitorFrame& frame);

/// The header row of a monitor log the window records: the monitor CSV's columns with
/// "elapsed_s" after "timestamp". No line end.
std::string monitorLogHeader();

/// One monitor log row: the monitor CSV row with the seconds since recording began
/// (`elapsedMs` written as seconds with three decimals) after the timestamp. No line end.
std::string monitorLogRow(std::string_view timestamp, std::int64_t elapsedMs,
                          const MonitorFrame& frame);

/// The header of a monitor log with markers: monitorLogHeader() and the column "marker".
std::string markedLogHeader();

/// A row under markedLogHeader(): monitorLogRow() and the marker's number (0: none).
std::string markedLogRow(std::string_view timestamp, std::int64_t elapsedMs,
                         const MonitorFrame& frame, unsigned marker);

} // namespace kordana
