#include "routeplanner/modRoutenplaner.h"

#include <gtest/gtest.h>

#include "base/UiTexts.h"
#include "routeplanner/modLinkadresse.h"

namespace {

TEST(modRoutenplaner, TheFormPageComesFirstAndEveryOtherPresetTakesBothAddresses) {
    const auto presets = modRoutenplaner::Voreinstellungen();
    ASSERT_EQ(presets.size(), 4u);
    EXPECT_EQ(presets[0].url, texts::kDefaultRouteUrl);
    EXPECT_FALSE(modLinkadresse::HatPlatzhalter(presets[0].url));
    for (const auto& preset : presets.subspan(1)) {
        EXPECT_NE(preset.url.find("{start}"), std::string_view::npos) << preset.name;
        EXPECT_NE(preset.url.find("{ziel}"), std::string_view::npos) << preset.name;
        EXPECT_EQ(modRoutenplaner::Zu(preset.url), &preset);
    }
    EXPECT_EQ(modRoutenplaner::Zu(std::string(presets[1].url) + " "), nullptr);
    EXPECT_EQ(modRoutenplaner::OpenStreetMap().name, "OpenStreetMap");
}

TEST(modRoutenplaner, HostOfWebAddressesOnly) {
    EXPECT_EQ(modRoutenplaner::Host("https://www.fahrtweg.example/baseservices/do/routeService"),
              "www.fahrtweg.example");
    EXPECT_EQ(modRoutenplaner::Host("HTTP://User:pw@Planer.Example:8080?x=1"), "planer.example");
    EXPECT_EQ(modRoutenplaner::Host("http://127.0.0.1:9/"), "127.0.0.1");
    EXPECT_EQ(modRoutenplaner::Host("http://[::1]:80/route"), "[::1]");
    for (const char* refused : {"file:///C:/route.html", "javascript:alert(1)", "ftp://planer.example/", "https://",
                                "www.planer.example", "http:///pfad", "https://planer.example/ mit Blank"}) {
        EXPECT_FALSE(modRoutenplaner::IstWebadresse(refused)) << refused;
    }
    EXPECT_TRUE(modRoutenplaner::IstWebadresse("https://bing.com/maps/default.aspx?rtp=adr.{start}~adr.{ziel}"));
}

}  // namespace
