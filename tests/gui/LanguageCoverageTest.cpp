// Every control the language tables name exists in the window, so no caption, list or hint of
// any page is lost for want of its control.
#include "FormFixture.h"

#include "lang/CaptionTables.h"
#include "lang/HintTables.h"
#include "lang/ItemListTables.h"

#include <set>
#include <string>

namespace kordana {
namespace {

using LanguageCoverage = testing::FormFixture;

TEST_F(LanguageCoverage, EveryNamedControlExists) {
    TFormHlav& form = createForm();
    std::set<std::string> names;
    auto collect = [&](std::span<const std::string_view> controls) {
        for (std::string_view control : controls) {
            names.emplace(control);
        }
    };
    for (const CaptionRow& row : captionTable()) {
        collect(row.controls);
    }
    for (const ItemListRow& row : itemListTable()) {
        collect(row.controls);
    }
    for (const HintRow& row : hintTable()) {
        collect(row.controls);
    }
    for (const FormHint& hint : formHints()) {
        collect(hint.controls);
    }
    std::set<std::string> missing;
    for (const std::string& name : names) {
        const QString objectName = QString::fromStdString(name);
        if (objectName != form.objectName() && form.findChildren<QObject*>(objectName).isEmpty()) {
            missing.insert(name);
        }
    }
    EXPECT_TRUE(missing.empty()) << [&] {
        std::string list;
        for (const std::string& name : missing) {
            list += name + " ";
        }
        return list;
    }();
}

} // namespace
} // namespace kordana
