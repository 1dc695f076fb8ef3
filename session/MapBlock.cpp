#include "session/MapBlock.h"

#include "params/ImageLayout.h"
#include "params/ParameterTable.h"
#include "session/MapCoupling.h"

#include <algorithm>
#include <array>
#include <string>

namespace kordana::mapblock {

namespace {

using layout::kMapCols;
using layout::kMapRows;

// The map key of a page: its 150 elements, row by row.
const ParameterKey& mapKey(int page) {
    const auto p = static_cast<std::size_t>(page);
    return *ParameterTable::instance().findByIndex(layout::mapCells(p))->key;
}

const ParameterElement& cellElement(int page, std::size_t row, std::size_t column) {
    return mapKey(page).elements[row * kMapCols + column];
}

long long floorDiv(long long a, long long b) {
    const long long q = a / b;
    return (a % b != 0 && a < 0) ? q - 1 : q;
}

int limited(const CellRange& range, long long value) {
    return static_cast<int>(std::clamp<long long>(value, range.minimum, range.maximum));
}

// The value numerator / denominator as the map stores it: rounded to the step, in range.
int onStep(const CellRange& range, long long numerator, long long denominator) {
    return limited(range, roundToStep(numerator, denominator, range.step));
}

bool usable(int page, const CellBlock& block) {
    return coupling::isMapPage(page) && block.valid();
}

// Stores one cell's shown value and carries the change to the siblings of a master page.
void writeCell(ParameterImage& image, int page, std::size_t row, std::size_t column, int shown) {
    const ParameterElement& element = cellElement(page, row, column);
    const std::uint8_t before = image[element.index];
    storeShown(image, element, shown);
    coupling::applyHarvestRule(image, page, element.index, before, image[element.index]);
}

void writeBlock(ParameterImage& image, int page, const CellBlock& block, const ValueRows& values) {
    for (std::size_t r = 0; r < block.rows(); ++r) {
        for (std::size_t c = 0; c < block.columns(); ++c) {
            writeCell(image, page, block.top + r, block.left + c, values[r][c]);
        }
    }
}

// Where the block's columns and rows lie: the columns' rpm breakpoints and the rows' throttle
// openings, each counted from the block's first. Positions that do not rise strictly (a
// breakpoint row being typed) fall back to the cells' own order, so no cell is extrapolated.
struct Axis {
    std::vector<long long> at; ///< from 0 at the first cell to `span` at the last
    long long span = 1;
};

Axis axisOf(std::vector<long long> positions) {
    Axis axis;
    bool rising = positions.size() > 1;
    for (std::size_t i = 1; i < positions.size(); ++i) {
        rising = rising && positions[i] > positions[i - 1];
    }
    for (std::size_t i = 0; i < positions.size(); ++i) {
        axis.at.push_back(rising ? positions[i] - positions.front() : static_cast<long long>(i));
    }
    axis.span = std::max<long long>(axis.at.back(), 1);
    return axis;
}

Axis columnAxis(const ParameterImage& image, int page, const CellBlock& block) {
    std::vector<long long> rpm;
    for (std::size_t c = block.left; c <= block.right; ++c) {
        rpm.push_back(image[layout::mapRpm(static_cast<std::size_t>(page)) + c]);
    }
    return axisOf(std::move(rpm));
}

Axis rowAxis(const CellBlock& block) {
    static constexpr std::array<long long, kMapRows> kThrottle{0,  2,  5,  10, 20,
                                                               30, 40, 60, 80, 100};
    return axisOf({kThrottle.begin() + static_cast<std::ptrdiff_t>(block.top),
                   kThrottle.begin() + static_cast<std::ptrdiff_t>(block.bottom) + 1});
}

// The value at position k of n between `from` and `to` (n > 0), as the map stores it.
int between(const CellRange& range, int from, int to, long long k, long long n) {
    return onStep(range, from * n + (to - from) * k, n);
}

int smoothed(const ValueRows& in, const CellRange& range, std::size_t r, std::size_t c) {
    long long sum = 0;
    for (std::size_t i = r - 1; i <= r + 1; ++i) {
        for (std::size_t j = c - 1; j <= c + 1; ++j) {
            sum += in[i][j];
        }
    }
    return onStep(range, sum, 9);
}

// The block shaped between its ends, weighted by where its columns (`x`) and rows (`y`) lie.
ValueRows shaped(const ValueRows& in, const CellRange& range, Shape shape, const Axis& x,
                 const Axis& y) {
    ValueRows out = in;
    const std::size_t rows = in.size();
    const std::size_t cols = in.front().size();
    for (std::size_t r = 0; r < rows; ++r) {
        for (std::size_t c = 0; c < cols; ++c) {
            const long long xc = x.at[c];
            const long long yr = y.at[r];
            switch (shape) {
            case Shape::Rows:
                out[r][c] = between(range, in[r].front(), in[r].back(), xc, x.span);
                break;
            case Shape::Columns:
                out[r][c] = between(range, in.front()[c], in.back()[c], yr, y.span);
                break;
            case Shape::Bilinear: {
                // Weights (X - x)(Y - y), x(Y - y), (X - x)y, xy over X x Y: the corners keep
                // their values; a block one cell wide or high interpolates along the other way.
                const long long sum = (x.span - xc) * (y.span - yr) * in.front().front() +
                                      xc * (y.span - yr) * in.front().back() +
                                      (x.span - xc) * yr * in.back().front() +
                                      xc * yr * in.back().back();
                out[r][c] = onStep(range, sum, x.span * y.span);
                break;
            }
            case Shape::Smooth:
                if (r > 0 && c > 0 && r + 1 < rows && c + 1 < cols) {
                    out[r][c] = smoothed(in, range, r, c);
                }
                break;
            }
        }
    }
    return out;
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \r");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \r") - first + 1);
}

// A decimal number "[+-]digits[.digits]" as numerator / 10^k; none for anything else.
struct Decimal {
    long long numerator = 0;
    long long denominator = 1;
};
std::optional<Decimal> readDecimal(std::string_view text) {
    constexpr std::size_t kMaxDigits = 9;
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const std::size_t point = text.find('.');
    const std::string_view whole = text.substr(0, point);
    const std::string_view fraction =
        point == std::string_view::npos ? std::string_view{} : text.substr(point + 1);
    if ((whole.empty() && fraction.empty()) || whole.size() > kMaxDigits ||
        fraction.size() > kMaxDigits) {
        return std::nullopt;
    }
    Decimal number;
    for (std::string_view part : {whole, fraction}) {
        for (char digit : part) {
            if (digit < '0' || digit > '9') {
                return std::nullopt;
            }
            number.numerator = number.numerator * 10 + (digit - '0');
        }
    }
    for (std::size_t i = 0; i < fraction.size(); ++i) {
        number.denominator *= 10;
    }
    if (negative) {
        number.numerator = -number.numerator;
    }
    return number;
}

// The fields of one line: split at tabs if it has any, else at semicolons, else at commas,
// else at runs of spaces. Empty fields at the end (a trailing separator) are dropped. Where
// tabs or semicolons separate, a comma is a decimal comma (a spreadsheet in a German or Czech
// locale copies "3,5"); `decimalComma` says so.
std::vector<std::string_view> fieldsOf(std::string_view line, bool& decimalComma) {
    std::vector<std::string_view> fields;
    char separator = ' ';
    for (const char candidate : {'\t', ';', ','}) {
        if (line.find(candidate) != std::string_view::npos) {
            separator = candidate;
            break;
        }
    }
    decimalComma = separator == '\t' || separator == ';';
    std::size_t start = 0;
    while (start <= line.size()) {
        const std::size_t end = std::min(line.find(separator, start), line.size());
        const std::string_view field = trimmed(line.substr(start, end - start));
        if (separator != ' ' || !field.empty()) {
            fields.push_back(field);
        }
        start = end + 1;
    }
    while (!fields.empty() && fields.back().empty()) {
        fields.pop_back();
    }
    return fields;
}

// A field read as a decimal number, its one decimal comma taken as the point when allowed.
std::optional<Decimal> readField(std::string_view field, bool decimalComma) {
    const std::size_t comma = field.find(',');
    if (!decimalComma || comma == std::string_view::npos) {
        return readDecimal(field);
    }
    if (field.find('.') != std::string_view::npos) {
        return std::nullopt;
    }
    std::string text(field);
    text[comma] = '.';
    return readDecimal(text);
}

} // namespace

bool CellBlock::valid() const {
    return top <= bottom && left <= right && bottom < kMapRows && right < kMapCols;
}

CellBlock spanning(std::size_t row1, std::size_t column1, std::size_t row2, std::size_t column2) {
    return {std::min(row1, row2), std::min(column1, column2), std::max(row1, row2),
            std::max(column1, column2)};
}

CellRange cellRangeOf(int page) {
    const ParameterElement& element = cellElement(page, 0, 0);
    return {element.step, element.minShown, element.maxShown};
}

long long roundToStep(long long numerator, long long denominator, int step) {
    const long long unit = denominator * step;
    return floorDiv(2 * numerator + unit, 2 * unit) * step;
}

ValueRows shownValues(const ParameterImage& image, int page, const CellBlock& block) {
    ValueRows values(block.rows(), std::vector<int>(block.columns()));
    for (std::size_t r = 0; r < block.rows(); ++r) {
        for (std::size_t c = 0; c < block.columns(); ++c) {
            const ParameterElement& element = cellElement(page, block.top + r, block.left + c);
            values[r][c] = clampShown(element, shownValue(image, element));
        }
    }
    return values;
}

void shape(ParameterImage& image, int page, const CellBlock& block, Shape shape) {
    if (!usable(page, block)) {
        return;
    }
    writeBlock(image, page, block,
               shaped(shownValues(image, page, block), cellRangeOf(page), shape,
                      columnAxis(image, page, block), rowAxis(block)));
}

void edit(ParameterImage& image, int page, const CellBlock& block, const BlockEdit& edit) {
    if (!usable(page, block)) {
        return;
    }
    const CellRange range = cellRangeOf(page);
    ValueRows values = shownValues(image, page, block);
    for (std::vector<int>& row : values) {
        for (int& value : row) {
            switch (edit.kind) {
            case EditKind::Set:
                value = onStep(range, edit.value, 1);
                break;
            case EditKind::Add:
                value = onStep(range, static_cast<long long>(value) + edit.value, 1);
                break;
            case EditKind::Scale:
                value = onStep(range, static_cast<long long>(value) * edit.value, 100);
                break;
            }
        }
    }
    writeBlock(image, page, block, values);
}

void paste(ParameterImage& image, int page, std::size_t row, std::size_t column,
           const ValueRows& values) {
    if (!coupling::isMapPage(page)) {
        return;
    }
    for (std::size_t r = 0; r < values.size() && row + r < kMapRows; ++r) {
        for (std::size_t c = 0; c < values[r].size() && column + c < kMapCols; ++c) {
            writeCell(image, page, row + r, column + c, values[r][c]);
        }
    }
}

std::string copyText(const ParameterImage& image, int page, const CellBlock& block) {
    if (!usable(page, block)) {
        return {};
    }
    std::string text;
    for (const std::vector<int>& row : shownValues(image, page, block)) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            text += (c == 0 ? "" : "\t") + std::to_string(row[c]);
        }
        text += '\n';
    }
    return text;
}

std::optional<ValueRows> parsePaste(std::string_view text, int page) {
    if (!coupling::isMapPage(page)) {
        return std::nullopt;
    }
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    // Blank lines at the end are the last row's new line, not an empty row.
    while (!lines.empty() && trimmed(lines.back()).empty()) {
        lines.pop_back();
    }
    const CellRange range = cellRangeOf(page);
    ValueRows rows;
    for (std::string_view line : lines) {
        std::vector<int>& row = rows.emplace_back();
        bool decimalComma = false;
        const std::vector<std::string_view> fields = fieldsOf(line, decimalComma);
        if (fields.empty()) {
            return std::nullopt;
        }
        for (std::string_view field : fields) {
            const std::optional<Decimal> number = readField(field, decimalComma);
            if (!number || number->numerator < range.minimum * number->denominator ||
                number->numerator > range.maximum * number->denominator) {
                return std::nullopt;
            }
            row.push_back(onStep(range, number->numerator, number->denominator));
        }
    }
    if (rows.empty()) {
        return std::nullopt;
    }
    return rows;
}

} // namespace kordana::mapblock
