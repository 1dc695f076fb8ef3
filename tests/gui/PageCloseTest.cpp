// Closing the window harvests the active page: with any page active, a set the pages can show
// comes back from the image cache byte for byte.
#include "MapFixture.h"

#include "params/DefaultSet.h"
#include "settings/ImageCache.h"

namespace kordana {
namespace {

using PageClose = testing::MapFixture;

TEST_F(PageClose, EveryPageKeepsTheImageByteForByte) {
    for (int page : {0, 4, 9, 10, 11, 12, 13}) {
        SCOPED_TRACE(page);
        TFormHlav& form = openForm(1, 2);
        if (page == 4) {
            // Jet 2A's tab is hidden while the injection maps are all equal: use Separate.
            form.action("Menu_Jet123Normal")->trigger();
        }
        clickTab(page);
        ASSERT_EQ(form.activePageIndex(), page);
        const ParameterImage shown = form.session().image();
        closeForm();
        ParameterImage cached;
        AllFlags flags{};
        ASSERT_GT(parseImageCache(readFile("_Kordana_R_2006.ini"), cached, flags), 0u);
        for (std::size_t i = 0; i < kImageSize; ++i) {
            ASSERT_EQ(cached[i], shown[i]) << "byte " << i;
        }
    }
}

} // namespace
} // namespace kordana
