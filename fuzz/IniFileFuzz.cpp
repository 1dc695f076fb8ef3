// The settings file reader on arbitrary text: what it writes back reads as the same document,
// and a value set by the program reads back as set.

#include "FuzzInput.h"

#include "settings/IniFile.h"

#include <cstdio>
#include <string>

using namespace kordana;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    IniFile ini = IniFile::parse(text);
    const std::string written = ini.text();
    if (IniFile::parse(written).text() != written) {
        std::fprintf(stderr, "written:\n%s\nagain:\n%s\n", written.c_str(),
                     IniFile::parse(written).text().c_str());
    }
    KORDANA_FUZZ_REQUIRE(IniFile::parse(written).text() == written);

    // The program's own keys: a plain word and a number, whatever the document held before.
    const std::string value = "COM" + std::to_string(size % 21);
    KORDANA_FUZZ_REQUIRE(ini.write("PORTS", "COM3", value));
    ini.writeInteger("FORM", "Left", static_cast<int>(size) - 500);
    const IniFile reread = IniFile::parse(ini.text());
    KORDANA_FUZZ_REQUIRE(reread.readString("PORTS", "COM3", "") == value);
    KORDANA_FUZZ_REQUIRE(reread.readInteger("FORM", "Left", 99999) == static_cast<int>(size) - 500);
    KORDANA_FUZZ_REQUIRE(!ini.write("PORTS", "COM4", "a\nb"));
    return 0;
}
