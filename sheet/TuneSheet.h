#pragma once

#include "params/HeatScale.h"
#include "params/ParameterImage.h"

#include <cstdint>
#include <string>
#include <vector>

namespace kordana {

/// One row of a sheet table: its caption and its cells, as they are printed.
struct SheetRow {
    std::string label;
    std::vector<std::string> cells;
    /// Per cell its heat colour, the one the map grid gives the value (maps only); empty when
    /// the row is not coloured.
    std::vector<Rgb> fills;
};

/// A titled table: an optional header row (its first entry is the corner over the labels),
/// then the rows. A half-width table stands beside the next half-width one.
struct SheetTable {
    std::string title;
    std::vector<std::string> header;
    std::vector<SheetRow> rows;
    bool halfWidth = false;
};

/// One block of the sheet's flow: a section heading or a table.
struct SheetBlock {
    enum class Kind { Heading, Table };
    Kind kind = Kind::Table;
    std::string heading;  ///< the text of a heading
    SheetTable table;     ///< the table of a table block
    bool newPage = false; ///< starts a new page
};

/// What the sheet is made of besides the parameter image.
struct SheetSource {
    std::string fileName; ///< the parameter file's name; empty for a set never saved
    std::string date;     ///< when the sheet was made, as it is printed
    std::uint8_t languageIndex = 0;
};

/// The content of a tune sheet as plain text: the title block, the nine maps, the position,
/// servo, power-output and other values, the corrections and the knock table, in reading
/// order. The renderer only lays it out.
struct TuneSheet {
    std::string title;
    std::string pageFormat; ///< footer text, "%1" page number, "%2" page count
    std::string fileName;
    std::vector<SheetBlock> blocks;
};

/// The sheet of `image` (repaired by the caller) in the language of `source`. The unit's
/// identification is listed when the header block holds anything but zeros and blanks.
TuneSheet buildTuneSheet(const ParameterImage& image, const SheetSource& source);

/// True when image block 0 holds a unit's header rather than zeros or blanks.
bool unitHeaderKnown(const ParameterImage& image);

} // namespace kordana
