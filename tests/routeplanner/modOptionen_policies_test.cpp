// The administrative template against the program: every policy writes a
// value the program reads as an option, under the key it reads, with the
// texts both languages need; and the program obeys each one.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "platform/MemoryRegistry.h"
#include "platform/MemorySettingsStore.h"
#include "routeplanner/modOptionen.h"

namespace {

std::string ReadTemplate(const std::string& relative) {
    std::ifstream file(std::string(ROVANDEL2_POLICIES) + "/" + relative, std::ios::binary);
    EXPECT_TRUE(file) << relative;
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Every first group of `pattern` in `text`.
std::vector<std::string> All(const std::string& text, const std::string& pattern) {
    std::vector<std::string> found;
    const std::regex re(pattern);
    for (std::sregex_iterator m(text.begin(), text.end(), re), end; m != end; ++m) found.push_back((*m)[1]);
    return found;
}

// What the program makes of each option, through its own readers.
std::string ReadOption(platform::ISettingsStore& store, std::string_view name) {
    const modOptionen::Feldnummern f = modOptionen::LeseFeldnummern(store);
    const std::map<std::string_view, std::string> read = {
        {modOptionen::kURL, modOptionen::URL(store)},
        {modOptionen::kBrowser, modOptionen::Browser(store)},
        {modOptionen::kBrowserArgumente, modOptionen::BrowserArgumente(store)},
        {modOptionen::kCookiePfad, modOptionen::CookiePfad(store)},
        {modOptionen::kIDStrasse, std::to_string(f.Strasse)},
        {modOptionen::kIDPLZ, std::to_string(f.PLZ)},
        {modOptionen::kIDOrt, std::to_string(f.Ort)},
        {modOptionen::kIDLand, std::to_string(f.Land)}};
    const auto it = read.find(name);
    return it == read.end() ? "(read by nothing)" : it->second;
}

TEST(RovandelPolicies, EveryPolicySetsAnOptionTheProgramReadsAndBothLanguagesDescribeIt) {
    const std::string admx = ReadTemplate("Rovandel2.admx");
    const auto policies = All(admx, R"re(<policy (\s*[^>]*)>)re");
    ASSERT_EQ(policies.size(), modOptionen::Richtlinien().size());
    for (const std::string& policy : policies) {
        EXPECT_NE(policy.find(R"re(key="Software\Policies\Brannock-Heyl\Rovandel2")re"), std::string::npos) << policy;
        EXPECT_NE(policy.find(R"re(class="Both")re"), std::string::npos) << policy;
    }
    const auto names = All(admx, R"re(<(?:text|decimal) [^>]*valueName="([^"]+)")re");
    const auto options = modOptionen::Richtlinien();
    EXPECT_EQ(std::multiset<std::string>(names.begin(), names.end()),
              std::multiset<std::string>(options.begin(), options.end()));

    platform::MemorySettingsStore empty;
    for (const std::string language : {"de-DE", "en-US"}) {
        SCOPED_TRACE(language);
        const std::string adml = ReadTemplate(language + "/Rovandel2.adml");
        const auto strings = All(adml, R"re(<string id="([^"]+)">[^<]+</string>)re");
        const auto presentations = All(adml, R"re(<presentation id="([^"]+)")re");
        const std::set<std::string> defined(strings.begin(), strings.end());
        const std::set<std::string> shown(presentations.begin(), presentations.end());
        for (const std::string& id : All(admx, R"re(\$\(string\.([^)]+)\))re")) EXPECT_TRUE(defined.contains(id)) << id;
        for (const std::string& id : All(admx, R"re(\$\(presentation\.([^)]+)\))re"))
            EXPECT_TRUE(shown.contains(id)) << id;
        // A decimal's default is the program's own; its element's id is its value's name.
        for (const std::string& box : All(adml, R"re((<decimalTextBox [^>]*>))re")) {
            const std::string name = All(box, R"re(refId="([^"]+)")re").at(0);
            EXPECT_EQ(All(box, R"re(defaultValue="(\d+)")re").at(0), ReadOption(empty, name)) << name;
        }
    }
}

// As Group Policy writes them: a text element as REG_SZ, a decimal one as
// REG_DWORD, per machine and per user.
TEST(RovandelPolicies, TheProgramObeysEachPolicyTheMachinesFirst) {
    const std::string admx = ReadTemplate("Rovandel2.admx");
    const auto decimals = All(admx, R"re(<decimal [^>]*valueName="([^"]+)")re");
    for (const std::string& name : All(admx, R"re(<(?:text|decimal) [^>]*valueName="([^"]+)")re")) {
        SCOPED_TRACE(name);
        platform::MemoryRegistry registry;
        platform::MemorySettingsStore user;
        platform::PolicySettingsStore store(registry, user, modOptionen::Richtlinienbereich());
        const bool number = std::find(decimals.begin(), decimals.end(), name) != decimals.end();
        const auto value = [number](std::uint32_t n) {
            return number ? std::to_string(100 + n) : "Größe " + std::to_string(n);
        };
        const auto set = [&](platform::RegKey root, std::uint32_t n) {
            if (number) return registry.PutDword(root, modOptionen::kRichtlinienSchluessel, name, 100 + n);
            registry.PutUnicodeText(root, modOptionen::kRichtlinienSchluessel, name, platform::kRegSz, value(n));
        };
        const auto locked = [&] { return store.IsLocked(modOptionen::kApplikation, modOptionen::kAbschnitt, name); };
        user.Put(modOptionen::kApplikation, modOptionen::kAbschnitt, name, value(1));
        EXPECT_EQ(ReadOption(store, name), value(1));
        EXPECT_FALSE(locked());
        set(platform::kHKeyCurrentUser, 2);
        EXPECT_EQ(ReadOption(store, name), value(2));
        EXPECT_TRUE(locked());
        set(platform::kHKeyLocalMachine, 3);
        EXPECT_EQ(ReadOption(store, name), value(3));
    }
}

}  // namespace
