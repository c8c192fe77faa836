// The demo world read through the launcher's own start-up readers: the string list,
// the colour list, the button strip and the service address list.
#include "DemoTreeFixture.h"

#include "app/text/ButtonStrip.h"
#include "app/text/ColourList.h"
#include "app/text/ServiceAddressList.h"
#include "app/text/StringList.h"
#include "support/RecordingPrompt.h"

TEST_F(DemoTreeTest, StartUpReadersLoadTheDemoLists)
{
    RecordingPrompt prompt;
    ASSERT_TRUE(LoadStringList());
    ASSERT_TRUE(LoadColourList());
    EXPECT_FALSE(LoadedStringList().IsEmpty());
    EXPECT_EQ(GetColour("PROMPT_TEXT_COLOR"), (Colour{255, 180, 24}));
    EXPECT_EQ(GetColour("no such colour"), ColourList::kUnknownColour);

    // The demo overrides the cell size, and the strip holds three rows per button.
    LoadButtonStrip();
    ASSERT_TRUE(MainButtonStrip().Loaded());
    EXPECT_EQ(MainButtonStrip().CellSize().width, 156);
    EXPECT_EQ(MainButtonStrip().CellSize().height, 26);
    EXPECT_EQ(MainButtonStrip().ButtonCount(), 10);
    MainButtonStrip().Free();

    ServiceAddressList services;
    ASSERT_TRUE(services.Load("kavcomm.lst"));
    ASSERT_FALSE(services.MasterList().empty());
    for (const ServiceAddress& master : services.MasterList())
        EXPECT_EQ(master.host, "127.0.0.1");
    EXPECT_EQ(services.MasterList().front().port, ServiceAddressList::kMasterPort);
    ASSERT_FALSE(services.ModServerList().empty());
    EXPECT_TRUE(services.NextMaster());
    EXPECT_EQ(services.MasterHost(), "127.0.0.1");

    EXPECT_TRUE(prompt.Texts().empty()) << prompt.Texts().front();
    LoadedStringList().Clear();
    LoadedColourList().Clear();
}
