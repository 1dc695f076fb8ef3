#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace kordana {

/// The terminal side of kordana-cli: status texts and results on standard output, one line
/// each; failures on standard error, one line each; a progress bar on standard error only when
/// it is a terminal.
class CliConsole {
public:
    /// Writes to out and err; the progress bar is drawn when barOnErr is true.
    CliConsole(std::FILE* out, std::FILE* err, bool barOnErr);
    /// Standard output and standard error; the bar when standard error is a terminal.
    static CliConsole standard();
    /// A console on the same streams that prints its status texts and lines on standard error
    /// too, for a command whose standard output carries only its result.
    CliConsole statusOnErrors() const;

    /// Prints the status text as a line of its own, unless it equals the last one printed.
    void status(const std::string& text);
    /// Prints a line on standard output.
    void line(std::string_view text);
    /// Prints a failure on standard error.
    void failure(std::string_view text);
    /// Shows the progress gauge (0..max) with the current status text; a no-op without a bar.
    void progress(int value, int max);
    /// Takes the progress bar off the terminal.
    void endProgress();

private:
    void clearBar();
    void drawBar();

    std::FILE* m_out;
    std::FILE* m_err;
    bool m_bar;
    bool m_barShown = false;
    int m_value = 0;
    int m_max = 0;
    std::string m_lastStatus;
};

} // namespace kordana
