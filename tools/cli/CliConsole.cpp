#include "tools/cli/CliConsole.h"

#include <algorithm>

#ifdef _WIN32
#include <io.h>
#define isatty _isatty
#define STDERR_FILENO 2
#else
#include <unistd.h>
#endif

namespace kordana {

namespace {

constexpr int kBarWidth = 30;

} // namespace

CliConsole::CliConsole(std::FILE* out, std::FILE* err, bool barOnErr)
    : m_out(out), m_err(err), m_bar(barOnErr) {}

CliConsole CliConsole::standard() {
    return CliConsole(stdout, stderr, isatty(STDERR_FILENO) == 1);
}

CliConsole CliConsole::statusOnErrors() const {
    return CliConsole(m_err, m_err, m_bar);
}

void CliConsole::status(const std::string& text) {
    if (text == m_lastStatus) {
        return;
    }
    m_lastStatus = text;
    const bool barWasShown = m_barShown;
    line(text);
    if (barWasShown) {
        drawBar();
    }
}

void CliConsole::line(std::string_view text) {
    clearBar();
    std::fwrite(text.data(), 1, text.size(), m_out);
    std::fputc('\n', m_out);
    std::fflush(m_out);
}

void CliConsole::failure(std::string_view text) {
    clearBar();
    std::fwrite(text.data(), 1, text.size(), m_err);
    std::fputc('\n', m_err);
    std::fflush(m_err);
}

void CliConsole::progress(int value, int max) {
    if (!m_bar || max <= 0) {
        return;
    }
    m_value = std::clamp(value, 0, max);
    m_max = max;
    drawBar();
}

void CliConsole::endProgress() {
    clearBar();
}

// The bar lives on the terminal's last line; every other output first wipes it, so lines on
// standard output and standard error never run into it.
void CliConsole::clearBar() {
    if (!m_barShown) {
        return;
    }
    std::fputs("\r\033[K", m_err);
    std::fflush(m_err);
    m_barShown = false;
}

void CliConsole::drawBar() {
    if (!m_bar || m_max <= 0) {
        return;
    }
    const int filled = m_value * kBarWidth / m_max;
    std::string bar(static_cast<std::size_t>(filled), '#');
    bar.append(static_cast<std::size_t>(kBarWidth - filled), '.');
    std::fprintf(m_err, "\r\033[K%s [%s] %d/%d", m_lastStatus.c_str(), bar.c_str(), m_value, m_max);
    std::fflush(m_err);
    m_barShown = true;
}

} // namespace kordana
