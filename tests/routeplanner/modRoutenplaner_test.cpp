#include "routeplanner/modRoutenplaner.h"

#include <gtest/gtest.h>

#include "base/UiTexts.h"

namespace {

TEST(modRoutenplaner, APresetIsFoundByItsExactAddress) {
    const auto presets = modRoutenplaner::Voreinstellungen();
    EXPECT_EQ(modRoutenplaner::Zu(texts::kDefaultRouteUrl), &presets[0]);
    EXPECT_EQ(modRoutenplaner::Zu(modRoutenplaner::OpenStreetMap().url), &modRoutenplaner::OpenStreetMap());
    EXPECT_EQ(modRoutenplaner::Zu(std::string(presets[1].url) + " "), nullptr);
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
