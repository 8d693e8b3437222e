// The registry routines against each registry: what they store, byte for
// byte, and what they read back.
#include "common/modRegistry.h"

#include <map>

#include "common/RegistryContract.h"
#include "platform/Cp1252Codec.h"
#include "platform/MemoryRegistry.h"

using modRegistry::HKeyCurrentUser;
using modRegistry::RegistryGetKeyValue;
using modRegistry::RegistrySetKeyValue;

namespace {

ByteArray Bytes(std::string_view s) { return ByteArray(s.begin(), s.end()); }

}  // namespace

TEST_P(RegistryRoutines, TextIsStoredInTheCodePageWithOneZeroAndReadBack) {
    RegistrySetKeyValue(Env(), HKeyCurrentUser, kKey, "Drei", RegistryValue("abc"), RegType::Text);
    auto raw = ReadRaw(kKey, "Drei");
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->type, 1u);
    EXPECT_EQ(raw->data, Bytes(std::string_view("abc\0", 4)));

    RegistrySetKeyValue(Env(), HKeyCurrentUser, kKey, "Gruß", RegistryValue("Grüße aus Köln"), RegType::Text);
    raw = ReadRaw(kKey, "Gru\xDF");
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->data, Bytes(std::string_view("Gr\xFC\xDF"
                                                "e aus K\xF6ln\0",
                                                15)));
    EXPECT_EQ(RegistryGetKeyValue(Env(), HKeyCurrentUser, kKey, "Gruß"), RegistryValue("Grüße aus Köln"));
    EXPECT_TRUE(m_Boxes.Shown().empty());
}

TEST_P(RegistryRoutines, NumbersAreFourBytesLeastSignificantFirst) {
    RegistrySetKeyValue(Env(), HKeyCurrentUser, kKey, "Count", RegistryValue(0x12345678), RegType::Dword);
    auto raw = ReadRaw(kKey, "Count");
    ASSERT_TRUE(raw);
    EXPECT_EQ(raw->type, 4u);
    EXPECT_EQ(raw->data, (ByteArray{0x78, 0x56, 0x34, 0x12}));

    RegistrySetKeyValue(Env(), HKeyCurrentUser, kKey, "Negativ", RegistryValue(-2), RegType::Dword);
    EXPECT_EQ(ReadRaw(kKey, "Negativ")->data, (ByteArray{0xFE, 0xFF, 0xFF, 0xFF}));
    EXPECT_EQ(RegistryGetKeyValue(Env(), HKeyCurrentUser, kKey, "Negativ"), RegistryValue(-2));
    EXPECT_EQ(RegistryGetKeyValue(Env(), HKeyCurrentUser, kKey, "Count"), RegistryValue(0x12345678));
}

TEST_P(RegistryRoutines, ByteArraysRoundTripIncludingEmptyAndLargeOnes) {
    ByteArray record(1172);
    for (std::size_t i = 0; i < record.size(); ++i) record[i] = static_cast<std::uint8_t>(i * 7);
    RegistrySetKeyValue(Env(), HKeyCurrentUser, kKey, "Command-0", RegistryValue(record), RegType::Binary);
    EXPECT_EQ(ReadRaw(kKey, "Command-0")->type, 3u);
    EXPECT_EQ(RegistryGetKeyValue(Env(), HKeyCurrentUser, kKey, "Command-0"), RegistryValue(record));

    RegistrySetKeyValue(Env(), HKeyCurrentUser, kKey, "Leer", RegistryValue(ByteArray{}), RegType::Binary);
    const RegistryValue empty = RegistryGetKeyValue(Env(), HKeyCurrentUser, kKey, "Leer");
    EXPECT_TRUE(empty.IsBytes());
    EXPECT_TRUE(empty.ToBytes().empty());
}

TEST_P(RegistryRoutines, TextsReadAsStoredUpToTheFirstZero) {
    PutRaw(kKey, "LeerText", 1, {});
    PutRaw(kKey, "MitNull", 1, Bytes(std::string_view("vor\0nach\0", 9)));
    PutRaw(kKey, "OhneNull", 1, Bytes("ohne"));
    EXPECT_EQ(RegistryGetKeyValue(Env(), HKeyCurrentUser, kKey, "LeerText"), RegistryValue(""));
    EXPECT_EQ(RegistryGetKeyValue(Env(), HKeyCurrentUser, kKey, "MitNull"), RegistryValue("vor"));
    EXPECT_EQ(RegistryGetKeyValue(Env(), HKeyCurrentUser, kKey, "OhneNull"), RegistryValue("ohne"));
}

TEST_P(RegistryRoutines, OtherTypesAndOddSizesReadAsNoValue) {
    PutRaw(kKey, "Expand", 2, Bytes(std::string_view("%PATH%\0", 7)));
    PutRaw(kKey, "Multi", 7, Bytes(std::string_view("a\0b\0\0", 5)));
    PutRaw(kKey, "KurzeZahl", 4, {1, 2});
    PutRaw(kKey, "LangeZahl", 4, {1, 2, 3, 4, 5, 6, 7, 8});
    for (const char* name : {"Expand", "Multi", "KurzeZahl", "LangeZahl", "Fehlt"}) {
        EXPECT_TRUE(RegistryGetKeyValue(Env(), HKeyCurrentUser, kKey, name).IsNone()) << name;
    }
    EXPECT_TRUE(RegistryGetKeyValue(Env(), HKeyCurrentUser, "Software\\TessivarTest\\Gibtsnicht", "x").IsNone());
    EXPECT_TRUE(m_Boxes.Shown().empty());
}

TEST_P(RegistryRoutines, WritingCreatesMissingKeysAndOtherTypesStoreNothing) {
    const std::string deep = std::string(kKey) + "\\Ebene 1\\Größe";
    RegistrySetKeyValue(Env(), HKeyCurrentUser, deep, "Schlüssel", RegistryValue("Wert"), RegType::Text);
    EXPECT_EQ(RegistryGetKeyValue(Env(), HKeyCurrentUser, deep, "Schlüssel"), RegistryValue("Wert"));

    const std::string other = std::string(kKey) + "\\Typ2";
    RegistrySetKeyValue(Env(), HKeyCurrentUser, other, "x", RegistryValue("y"), static_cast<RegType>(2));
    EXPECT_TRUE(KeyExists(other));
    EXPECT_FALSE(ReadRaw(other, "x"));
    EXPECT_TRUE(m_Boxes.Shown().empty());
}

TEST_P(RegistryRoutines, ValuesAreConvertedToTheRequestedKindWhereTheyCanBe) {
    RegistrySetKeyValue(Env(), HKeyCurrentUser, kKey, "ZahlAlsText", RegistryValue(42), RegType::Text);
    EXPECT_EQ(ReadRaw(kKey, "ZahlAlsText")->data, Bytes(std::string_view("42\0", 3)));
    RegistrySetKeyValue(Env(), HKeyCurrentUser, kKey, "TextAlsZahl", RegistryValue(" 123 "), RegType::Dword);
    EXPECT_EQ(ReadRaw(kKey, "TextAlsZahl")->data, (ByteArray{123, 0, 0, 0}));
    EXPECT_TRUE(m_Boxes.Shown().empty());
}

TEST_P(RegistryRoutines, AValueThatCannotBeConvertedIsReportedAndNotWritten) {
    RegistrySetKeyValue(Env(), HKeyCurrentUser, kKey, "A", RegistryValue("abc"), RegType::Dword);
    RegistrySetKeyValue(Env(), HKeyCurrentUser, kKey, "B", RegistryValue("99999999999"), RegType::Dword);
    RegistrySetKeyValue(Env(), HKeyCurrentUser, kKey, "C", RegistryValue(ByteArray{1}), RegType::Text);
    RegistrySetKeyValue(Env(), HKeyCurrentUser, kKey, "D", RegistryValue("text"), RegType::Binary);
    for (const char* name : {"A", "B", "C", "D"}) EXPECT_FALSE(ReadRaw(kKey, name)) << name;

    ASSERT_EQ(m_Boxes.Shown().size(), 4u);
    const platform::MessageBoxRequest mismatch{"Error: 13. Typen unverträglich", "RegistrySetKeyValue",
                                               platform::MsgIcon::None, platform::MsgButtons::Ok};
    EXPECT_EQ(m_Boxes.Shown()[0], mismatch);
    EXPECT_EQ(m_Boxes.Shown()[1].text, "Error: 6. Überlauf");
    EXPECT_EQ(m_Boxes.Shown()[2], mismatch);
    EXPECT_EQ(m_Boxes.Shown()[3], mismatch);
}

namespace {

class MemoryBackend : public RegistryBackend {
public:
    platform::IRegistry& Registry() override { return m_Registry; }
    platform::ITextCodec& Codec() override { return m_Codec; }
    void RemoveTestKey() override {}

private:
    platform::MemoryRegistry m_Registry;
    platform::Cp1252Codec m_Codec;
};

}  // namespace

// What a backup walks: the subkeys and the values of a key, with their names
// as first written, their types and their bytes.
TEST_P(RegistryRoutines, AKeysSubkeysAndValuesAreEnumerated) {
    RegistrySetKeyValue(Env(), HKeyCurrentUser, std::string(kKey) + "\\Erster\\Tiefer", "x", RegistryValue(1),
                        RegType::Dword);
    RegistrySetKeyValue(Env(), HKeyCurrentUser, std::string(kKey) + "\\Zweiter", "y", RegistryValue("ä"),
                        RegType::Text);
    RegistrySetKeyValue(Env(), HKeyCurrentUser, kKey, "Bild", RegistryValue(ByteArray{1, 2, 3}), RegType::Binary);
    platform::IRegistry& r = Env().registry;
    platform::RegKey h = 0;
    ASSERT_EQ(r.OpenKey(platform::kHKeyCurrentUser, kKey, platform::kKeyRead, h), 0);
    const platform::RegistryKey owner = platform::OwnKey(r, h);
    std::vector<std::string> keys;
    std::string name;
    for (std::uint32_t i = 0; r.EnumKey(h, i, name) == 0; ++i) keys.push_back(name);
    std::sort(keys.begin(), keys.end());
    EXPECT_EQ(keys, (std::vector<std::string>{"Erster", "Zweiter"}));
    // Names and data longer than a first guess at their size come whole.
    const std::string longName(300, 'N');
    ByteArray large(10000);
    for (std::size_t i = 0; i < large.size(); ++i) large[i] = static_cast<std::uint8_t>(i * 13);
    RegistrySetKeyValue(Env(), HKeyCurrentUser, kKey, longName, RegistryValue(large), RegType::Binary);
    std::map<std::string, std::pair<std::uint32_t, ByteArray>> values;
    std::uint32_t type = 0;
    ByteArray data;
    for (std::uint32_t i = 0; r.EnumValue(h, i, name, type, data) == 0; ++i) values[name] = {type, data};
    EXPECT_EQ(values,
              (std::map<std::string, std::pair<std::uint32_t, ByteArray>>{
                  {"Bild", {platform::kRegBinary, ByteArray{1, 2, 3}}}, {longName, {platform::kRegBinary, large}}}));
    EXPECT_EQ(r.EnumValue(h, 2, name, type, data), platform::kErrorNoMoreItems);
    EXPECT_EQ(r.EnumKey(h, 2, name), platform::kErrorNoMoreItems);
}

// A table is read through its key opened once: every value comes as it
// comes alone, a large one after small ones too.
TEST_P(RegistryRoutines, AKeysValuesReadThroughTheKeyOpenedOnceComeAsEachReadAlone) {
    ByteArray large(10000);
    for (std::size_t i = 0; i < large.size(); ++i) large[i] = static_cast<std::uint8_t>(i * 7);
    RegistrySetKeyValue(Env(), HKeyCurrentUser, kKey, "Klein", RegistryValue(ByteArray{1, 2, 3}), RegType::Binary);
    RegistrySetKeyValue(Env(), HKeyCurrentUser, kKey, "Gross", RegistryValue(large), RegType::Binary);
    RegistrySetKeyValue(Env(), HKeyCurrentUser, kKey, "Text", RegistryValue("Gr\u00FC\u00DFe"), RegType::Text);
    RegistrySetKeyValue(Env(), HKeyCurrentUser, kKey, "Leer", RegistryValue(ByteArray()), RegType::Binary);
    RegistrySetKeyValue(Env(), HKeyCurrentUser, kKey, "LeerText", RegistryValue(""), RegType::Text);
    RegistrySetKeyValue(Env(), HKeyCurrentUser, kKey, "Zahl", RegistryValue(-42), RegType::Dword);
    PutRaw(kKey, "Kurz", platform::kRegDword, ByteArray{1, 2, 3});
    PutRaw(kKey, "Liste", platform::kRegMultiSz, Bytes(std::string("a\0b\0\0", 5)));
    modRegistry::KeyReader values(Env(), HKeyCurrentUser, kKey);
    for (const char* name : {"Klein", "Gross", "Klein", "Text", "Leer", "LeerText", "Zahl", "Kurz", "Liste", "Fehlt"}) {
        EXPECT_EQ(values.Get(name), RegistryGetKeyValue(Env(), HKeyCurrentUser, kKey, name)) << name;
    }
    EXPECT_EQ(values.Get("Gross"), RegistryValue(large));
    EXPECT_TRUE(modRegistry::KeyReader(Env(), HKeyCurrentUser, std::string(kKey) + "\\Fehlt").Get("Klein").IsNone());
}

INSTANTIATE_TEST_SUITE_P(Substitute, RegistryRoutines,
                         testing::Values(NamedBackend{"Memory", [] { return std::make_unique<MemoryBackend>(); }}),
                         PrintBackend);
