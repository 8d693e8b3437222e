// The administrative template against the program: every policy writes a
// value the program reads as an option, under the key it reads, with the
// texts and controls both languages need; and the program obeys each one.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <stdexcept>

#include "platform/MemoryRegistry.h"
#include "platform/MemorySettingsStore.h"
#include "routeplanner/modOptionen.h"

namespace {

struct Element {
    std::string name;
    std::map<std::string, std::string> attributes;
    std::string text;
    std::vector<Element> children;

    std::string Get(const std::string& key) const {
        const auto it = attributes.find(key);
        return it == attributes.end() ? std::string() : it->second;
    }
    std::vector<const Element*> All(std::string_view child) const {
        std::vector<const Element*> found;
        for (const Element& c : children) {
            if (c.name == child) found.push_back(&c);
        }
        return found;
    }
    const Element& One(std::string_view child) const {
        static const Element none;
        const auto found = All(child);
        EXPECT_EQ(found.size(), 1u) << name << " has " << found.size() << " " << child;
        return found.size() == 1 ? *found.front() : none;
    }
};

std::string Decode(std::string_view raw) {
    static constexpr std::pair<std::string_view, char> kEntities[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
    std::string out;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] != '&') {
            out += raw[i];
            continue;
        }
        const auto* entity =
            std::ranges::find_if(kEntities, [&](auto& e) { return raw.substr(i).starts_with(e.first); });
        if (entity == std::end(kEntities)) throw std::runtime_error("an entity this reader lacks");
        out += entity->second;
        i += entity->first.size() - 1;
    }
    return out;
}

// Just enough XML for these files, and strict about it: a '<' that opens no
// tag, comment or declaration (a DTD, CDATA), an unknown entity, an end tag
// that closes another element or anything but one root fails the test.
Element ReadXml(const std::string& text) {
    static const std::regex tag(R"re(<(/?)([\w:.-]+)((?:\s+[\w:.-]+\s*=\s*"[^"<]*")*)\s*(/?)>)re");
    static const std::regex attribute(R"re(([\w:.-]+)\s*=\s*"([^"]*)")re");
    std::vector<Element> open(1);  // the document, holding the root
    for (std::size_t pos = 0;;) {
        const std::size_t lt = text.find('<', pos);
        open.back().text += Decode(std::string_view(text).substr(pos, lt - pos));
        if (lt == std::string::npos) break;
        if (text.compare(lt, 4, "<!--") == 0 || text.compare(lt, 2, "<?") == 0) {
            const std::size_t end = text.find(text[lt + 1] == '?' ? "?>" : "-->", lt);
            if (end == std::string::npos) throw std::runtime_error("an unclosed comment");
            pos = text.find('>', end) + 1;
            continue;
        }
        std::smatch m;
        if (!std::regex_search(text.begin() + static_cast<std::ptrdiff_t>(lt), text.end(), m, tag,
                               std::regex_constants::match_continuous)) {
            throw std::runtime_error("no tag at offset " + std::to_string(lt));
        }
        pos = lt + static_cast<std::size_t>(m.length(0));
        if (m.length(1) > 0) {
            if (open.size() < 2 || open.back().name != m[2] || m.length(3) + m.length(4) > 0) {
                throw std::runtime_error("a stray </" + m[2].str() + ">");
            }
            Element done = std::move(open.back());
            open.pop_back();
            open.back().children.push_back(std::move(done));
            continue;
        }
        Element e{m[2], {}, {}, {}};
        const std::string attributes = m[3];
        for (std::sregex_iterator a(attributes.begin(), attributes.end(), attribute), end; a != end; ++a) {
            if (!e.attributes.emplace((*a)[1], Decode((*a)[2].str())).second) throw std::runtime_error("twice");
        }
        if (m.length(4) > 0) {
            open.back().children.push_back(std::move(e));
        } else {
            open.push_back(std::move(e));
        }
    }
    if (open.size() != 1 || open.front().children.size() != 1 ||
        open.front().text.find_first_not_of(" \t\r\n") != std::string::npos) {
        throw std::runtime_error("not one closed root element");
    }
    return std::move(open.front().children.front());
}

Element ReadTemplate(const std::string& relative) {
    std::ifstream file(std::string(ROVANDEL2_POLICIES) + "/" + relative, std::ios::binary);
    if (!file) throw std::runtime_error("cannot open " + relative);
    std::ostringstream text;
    text << file.rdbuf();
    const Element root = ReadXml(text.str());
    EXPECT_EQ(root.Get("xmlns"), "http://schemas.microsoft.com/GroupPolicy/2006/07/PolicyDefinitions") << relative;
    return root;
}

// "$(string.Name)" gives "Name"; anything else a name no table defines.
std::string Reference(const std::string& value, const std::string& table) {
    const std::string prefix = "$(" + table + ".";
    if (!value.starts_with(prefix) || !value.ends_with(")")) return "(not a reference: " + value + ")";
    return value.substr(prefix.size(), value.size() - prefix.size() - 1);
}

struct Policy {
    std::string valueName, kind, id, presentation;  // kind: the element, "text" or "decimal"
};

// The ADMX's policies, checked on the way, and the strings it references.
std::vector<Policy> ReadPolicies(std::set<std::string>& strings) {
    const Element admx = ReadTemplate("Rovandel2.admx");
    std::set<std::string> categories, supported;
    for (const Element* c : admx.One("categories").All("category")) {
        categories.insert(c->Get("name"));
        strings.insert(Reference(c->Get("displayName"), "string"));
        if (c->attributes.contains("explainText")) strings.insert(Reference(c->Get("explainText"), "string"));
    }
    for (const Element* d : admx.One("supportedOn").One("definitions").All("definition")) {
        supported.insert(d->Get("name"));
        strings.insert(Reference(d->Get("displayName"), "string"));
    }
    std::vector<Policy> policies;
    for (const Element* p : admx.One("policies").All("policy")) {
        SCOPED_TRACE(p->Get("name"));
        EXPECT_EQ(p->Get("key"), modOptionen::kRichtlinienSchluessel);
        EXPECT_EQ(p->Get("class"), "Both");
        EXPECT_FALSE(p->attributes.contains("valueName")) << "the value is its element's";
        EXPECT_TRUE(categories.contains(p->One("parentCategory").Get("ref")));
        EXPECT_TRUE(supported.contains(p->One("supportedOn").Get("ref")));
        strings.insert(Reference(p->Get("displayName"), "string"));
        strings.insert(Reference(p->Get("explainText"), "string"));
        for (const Element& e : p->One("elements").children) {
            EXPECT_FALSE(e.attributes.contains("key")) << "a key of its own";
            EXPECT_TRUE(e.name == "text" || e.name == "decimal") << e.name;
            policies.push_back(
                {e.Get("valueName"), e.name, e.Get("id"), Reference(p->Get("presentation"), "presentation")});
        }
    }
    return policies;
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
    std::set<std::string> strings;
    const std::vector<Policy> policies = ReadPolicies(strings);
    std::multiset<std::string> valueNames;
    for (const Policy& p : policies) valueNames.insert(p.valueName);
    const auto options = modOptionen::Richtlinien();
    EXPECT_EQ(valueNames, (std::multiset<std::string>(options.begin(), options.end())));
    platform::MemorySettingsStore empty;
    for (const std::string language : {"de-DE", "en-US"}) {
        SCOPED_TRACE(language);
        const Element adml = ReadTemplate(language + "/Rovandel2.adml");
        const Element& resources = adml.One("resources");
        std::set<std::string> defined;
        for (const Element* s : resources.One("stringTable").All("string")) {
            EXPECT_FALSE(s->text.empty()) << s->Get("id");
            EXPECT_TRUE(defined.insert(s->Get("id")).second) << "twice: " << s->Get("id");
        }
        for (const std::string& id : strings) EXPECT_TRUE(defined.contains(id)) << "no string " << id;
        std::map<std::string, const Element*> presentations;
        for (const Element* p : resources.One("presentationTable").All("presentation")) presentations[p->Get("id")] = p;
        for (const Policy& policy : policies) {
            SCOPED_TRACE(policy.valueName);
            const auto it = presentations.find(policy.presentation);
            ASSERT_NE(it, presentations.end()) << "no presentation " << policy.presentation;
            ASSERT_EQ(it->second->children.size(), 1u);
            const Element& control = it->second->children.front();
            EXPECT_EQ(control.Get("refId"), policy.id);
            if (policy.kind == "decimal") {
                EXPECT_EQ(control.name, "decimalTextBox");
                EXPECT_EQ(control.Get("defaultValue"), ReadOption(empty, policy.valueName)) << "the program's default";
            } else {
                EXPECT_TRUE(control.name == "textBox" || control.name == "comboBox") << control.name;
            }
        }
    }
}

// As Group Policy writes them: a text element as REG_SZ, a decimal one as
// REG_DWORD, per machine and per user.
TEST(RovandelPolicies, TheProgramObeysEachPolicyTheMachinesFirst) {
    std::set<std::string> strings;
    for (const Policy& policy : ReadPolicies(strings)) {
        SCOPED_TRACE(policy.valueName);
        platform::MemoryRegistry registry;
        platform::MemorySettingsStore user;
        platform::PolicySettingsStore store(registry, user, modOptionen::Richtlinienbereich());
        const bool number = policy.kind == "decimal";
        const auto value = [number](std::uint32_t n) {
            return number ? std::to_string(100 + n) : "Größe " + std::to_string(n);
        };
        const auto set = [&](platform::RegKey root, std::uint32_t n) {
            if (number) {
                registry.PutDword(root, modOptionen::kRichtlinienSchluessel, policy.valueName, 100 + n);
            } else {
                registry.PutUnicodeText(root, modOptionen::kRichtlinienSchluessel, policy.valueName, platform::kRegSz,
                                        value(n));
            }
        };
        const auto locked = [&] {
            return store.IsLocked(modOptionen::kApplikation, modOptionen::kAbschnitt, policy.valueName);
        };
        user.Put(modOptionen::kApplikation, modOptionen::kAbschnitt, policy.valueName, value(1));
        EXPECT_EQ(ReadOption(store, policy.valueName), value(1));
        EXPECT_FALSE(locked());
        set(platform::kHKeyCurrentUser, 2);
        EXPECT_EQ(ReadOption(store, policy.valueName), value(2));
        EXPECT_TRUE(locked());
        set(platform::kHKeyLocalMachine, 3);
        EXPECT_EQ(ReadOption(store, policy.valueName), value(3));
        EXPECT_TRUE(locked());
    }
}

}  // namespace
